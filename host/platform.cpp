#include "platform.h"

#include <windows.h>

int platformFamily()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v))
        return 0;
    return static_cast<int>(v.dwPlatformId);
}
