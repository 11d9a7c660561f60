// The edit list's tool strip, as pure data and arithmetic: the picture of its four buttons
// (New, Delete, Move Up, Move Down) as a 16-colour bitmap file, and where the buttons sit in
// a header of a given size.
#pragma once

#include <cstddef>
#include <vector>

#include "pixelrect.h"

const int kToolButtons = 4;
const int kToolButtonWidth = 22;
const int kToolStripWidth = kToolButtons * kToolButtonWidth;  // 88
const int kToolStripHeight = 20;
const int kNoToolButton = kToolButtons;  // "no button" as the header counts them
// The palette index of the light grey background, which shows in the button-face colour.
const int kToolStripGrey = 8;

// The strip's palette index at (x, y), y counted from the top.
int toolStripPixel(int x, int y);
// The whole strip as a Windows bitmap file: header, 16-colour palette, pixels bottom-up.
std::vector<unsigned char> toolStripBitmapFile();
// Where the palette and the pixels start in that file.
const size_t kToolStripPaletteOffset = 14 + 40;
const size_t kToolStripPixelOffset = kToolStripPaletteOffset + 16 * 4;

// Button i of a header whose client area is width x height: the four sit at the right end,
// vertically centred.
PixelRect toolButtonRect(int i, long width, long height);
// Where the strip's top edge is drawn, and the frame drawn around a hot button, in the
// coordinates the header composes its picture in (2 pixels left of the window's).
long toolStripTop(long height);
PixelRect toolFrameRect(int i, long width, long height);
