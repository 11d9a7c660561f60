// The bitmap file check on any head: the first bytes as the head, the file's size from the
// last eight. A file it passes must keep its pixels, as its headers describe them, inside.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "splashcore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 8)
        return 0;
    unsigned long long fileSize;
    std::memcpy(&fileSize, data + size - 8, 8);
    size_t headLength = size - 8 < kBitmapHeadBytes ? size - 8 : kBitmapHeadBytes;
    if (!bitmapFileSound(data, headLength, fileSize))
        return 0;
    uint32_t offset;
    std::memcpy(&offset, data + 10, 4);
    if (offset >= fileSize || headLength < 26)
        std::abort();
    return 0;
}
