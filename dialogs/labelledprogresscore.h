// The arithmetic of the labelled progress bar: how much of the bar is filled, where its two
// parts meet, what its label says. Free of the window system so that it can be tested alone.
#pragma once

#include <string>

#include "pixelrect.h"

// (pos - lower) x scale / (upper - lower), truncated toward zero and held within the 32-bit
// range; 0 for an empty or inverted range. Worked in 64-bit integers, so that it is exact:
// 29 of 100 is 29 per cent (in binary floating point 0.29 x 100 is 28.999...), and a bar whose
// width is a whole multiple of its range fills by whole steps.
long barShare(int pos, int lower, int upper, long scale);

// The filled width in pixels of a bar of the given width at pos.
long filledWidth(int pos, int lower, int upper, long width);

// The filled part and the rest of the client rectangle. Across: the split line is left + the
// filled share of the width; upright (a vertical bar) it is bottom - the filled share of the
// height, and the filled part is the lower one. The line is kept within the rectangle, so
// that a bar past its range is all filled and one below it all empty.
struct BarParts {
    PixelRect bar, rest;
};
BarParts splitBar(const PixelRect& client, int pos, int lower, int upper, bool vertical);

// The label's text: the label when there is one, else the whole percentage ("33%", "150%").
std::string barLabel(const std::string& label, int pos, int lower, int upper);

// pos + delta, held within the 32-bit range.
int offsetPosition(int pos, long long delta);
