// A paint drawn off the screen and copied in one go, so that nothing flickers: a memory device
// context compatible with the target, holding a bitmap the size of the area to paint, whose
// coordinates are the target's. When this goes, the area is copied onto the target, moved
// right and down by the shift given (what the move takes past the area's right and bottom
// edges is left out). When no bitmap can be made, dc() is the target itself, its origin moved
// by the shift while this lives, so that the paint still lands where it would have.
#pragma once

#include <windows.h>

#include "gdi.h"

class CBufferedPaint {
public:
    CBufferedPaint(HDC target, const RECT& area, POINT shift = {0, 0})
        : target_(target),
          area_(area),
          shift_(shift),
          memory_(target),
          bitmap_(memory_.IsOpen() ? CreateCompatibleBitmap(target, Extent(area.right - area.left),
                                                            Extent(area.bottom - area.top))
                                   : nullptr),
          selection_(memory_, bitmap_)
    {
        if (selection_.IsOpen())
            SetWindowOrgEx(memory_, area_.left, area_.top, nullptr);
        else
            OffsetWindowOrgEx(target_, -shift_.x, -shift_.y, &targetOrigin_);
    }
    ~CBufferedPaint()
    {
        long width = area_.right - area_.left, height = area_.bottom - area_.top;
        if (selection_.IsOpen())
            BitBlt(target_, area_.left + shift_.x, area_.top + shift_.y, width - shift_.x, height - shift_.y, memory_,
                   area_.left, area_.top, SRCCOPY);
        else
            SetWindowOrgEx(target_, targetOrigin_.x, targetOrigin_.y, nullptr);
    }
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    // Where to draw: the bitmap's context, or the target when there is no bitmap.
    HDC dc() const { return selection_.IsOpen() ? static_cast<HDC>(memory_) : target_; }
    bool Buffered() const { return selection_.IsOpen(); }

private:
    // A bitmap is at least one pixel each way.
    static int Extent(long length) { return length > 0 ? static_cast<int>(length) : 1; }

    HDC target_;
    RECT area_;
    POINT shift_;
    POINT targetOrigin_ = {0, 0};
    CMemoryDC memory_;
    CGdiBitmap bitmap_;
    CSelectObject selection_;
};
