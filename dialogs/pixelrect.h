// The one rectangle of the dialogs' arithmetic (the progress bar's parts, the edit list's tool
// strip, the list dialogs' rows and markers, the anchored controls of a resizable dialog):
// left and top inside it, right and bottom just past it, in pixels, as the window system's
// RECT has them. Free of the window system, so that the arithmetic is compiled and tested
// natively; winrect.h converts to and from RECT.
#pragma once

struct PixelRect {
    long left, top, right, bottom;
};

inline bool operator==(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
