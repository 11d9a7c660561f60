// Prints the host's palette, "index red green blue" a line, for palette_reference.py.
#include <cstdio>

#include "palette.h"

int main()
{
    for (int i = 1; i <= 255; ++i) {
        uint32_t c = paletteColor(i);
        std::printf("%d %u %u %u\n", i, c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    }
    return 0;
}
