#pragma once

#include <windows.h>

// An entry point of a library loaded at run time, as the function type it has; null when
// the library lacks it.
template <class T>
T entryPoint(HMODULE library, const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// The platform family the system reports: VER_PLATFORM_WIN32_WINDOWS for Windows 95/98,
// VER_PLATFORM_WIN32_NT for the NT family, another platform's own id (VER_PLATFORM_WIN32s);
// -1 when the version can't be read.
int platformFamily();
