// The dialogs' rectangle (pixelrect.h) to the window system's and back.
#pragma once

#include <windows.h>

#include "pixelrect.h"

inline RECT toRect(const PixelRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

inline PixelRect fromRect(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}
