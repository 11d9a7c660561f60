// The host's colour index palette: its own table of 255 colours.
#pragma once

#include <cstdint>

// Packed 0x00BBGGRR colour of an index 1 to 255; 0 (black) outside.
uint32_t paletteColor(int index);
