// The drawing-version lookup on any seven bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dwgvercore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char code[7] = {};
    std::memcpy(code, data, size < 7 ? size : 7);
    const char* name = dwgVersionName(code);
    if (!name || !*name)
        std::abort();
    return 0;
}
