// The splash window's arithmetic and its reading of a bitmap file's headers before the system
// is given the file: whether the pixels they describe lie inside the file (the system's loader
// trusts the headers and reads past the end of a file that claims more than it holds), where
// the window goes, the palette it falls back on, how long it stays. Free of the window system
// so that it can be tested and fuzzed alone.
#pragma once

#include <cstddef>

// The most of the file's start that the check reads: the file header and the largest info
// header (BITMAPV5HEADER).
const std::size_t kBitmapHeadBytes = 14 + 124;

// Whether a bitmap file whose first headLength bytes are head (headLength as far as the file
// goes, at most kBitmapHeadBytes) and whose whole size is fileSize is sound: "BM", a header
// size the system knows, one plane, a depth and compression that go together, a width and
// height that are not zero, the colour table and masks inside the file, and the pixels, as
// many as width, height and depth make (for run-length data, the size the header gives),
// between the pixel offset and the file's end; every sum and product without overflow.
// Run-length bitmaps decode into memory of their full size, which is held to 256 MiB.
bool bitmapFileSound(const unsigned char* head, std::size_t headLength, unsigned long long fileSize);

// Where a window of the given size goes to sit in the middle of the desktop: each half cut.
struct SplashOrigin {
    long x, y;
};
SplashOrigin splashOrigin(long desktopRight, long desktopBottom, long width, long height);

// Entry i (0 to 255) of the palette for a bitmap without a colour table: eight levels of red
// (changing fastest) and green, four of blue.
struct PaletteColour {
    unsigned char red, green, blue;
};
PaletteColour defaultPaletteEntry(int i);

// A timer's interval for a number of seconds, in milliseconds, held to what a timer takes.
unsigned splashMillis(int seconds);
