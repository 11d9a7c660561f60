#include "platform.h"

#include <windows.h>

int platformFamily()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v))
        return -1;
    return static_cast<int>(v.dwPlatformId);
}
