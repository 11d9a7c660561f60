// The host's colour index palette, made from its structure: nine basic colours, 24 hues of
// ten shades, six greys.
#pragma once

#include <cstdint>

// Packed 0x00BBGGRR colour of an index 1 to 255; 0 (black) outside.
uint32_t paletteColor(int index);
