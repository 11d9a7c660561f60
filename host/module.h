// The module's own instance (its resources serve its dialogs) and the resource instance
// that was current when it was attached.
#pragma once

#include <windows.h>

extern HINSTANCE moduleInstance;
extern HINSTANCE attachResource;
