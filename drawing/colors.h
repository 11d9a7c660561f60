// Colour helpers, shared with the colour picker.
#pragma once

#include "adsdef.h"

// The index 1 to 254 whose colour is nearest by city-block distance; ties to the lowest.
int nearestColorIndex(int r, int g, int b);
// Reads an RGB triple, a 3D point of components 0 to 255 (truncated); false after the
// message for the first thing wrong.
bool getRgbArg(const struct resbuf* rb, int& r, int& g, int& b);
