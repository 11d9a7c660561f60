#include "sizingdialogcore.h"

#include <cmath>

double anchorRatio(long edge, long windowSize)
{
    return static_cast<double>(edge) / static_cast<double>(windowSize - edge);
}

Anchor makeAnchor(unsigned id, int horizontal, int vertical, const PixelRect& rect, bool excludeFromErase,
                  long windowWidth, long windowHeight)
{
    Anchor a = {id, horizontal, vertical, rect, excludeFromErase, 0.0, 0.0};
    if (horizontal == ANCHOR_PROPORTIONAL)
        a.horizontalRatio = anchorRatio(rect.left, windowWidth);
    if (vertical == ANCHOR_PROPORTIONAL)
        a.verticalRatio = anchorRatio(rect.top, windowHeight);
    return a;
}

namespace {

// The proportional edge: size * r / (r + 1), truncated toward zero. An edge that sat at the
// window's far side has no finite ratio and stays where it is.
long proportionalEdge(double ratio, long size, long current)
{
    double edge = static_cast<double>(size) * ratio / (ratio + 1.0);
    if (!std::isfinite(edge) || edge >= 2147483647.0 || edge <= -2147483648.0)
        return current;
    return static_cast<long>(edge);
}

// Moves one pair of edges by a mode.
void moveEdges(int mode, long& low, long& high, long delta, double ratio, long size)
{
    switch (mode) {
    case ANCHOR_STRETCH:
        high += delta;
        break;
    case ANCHOR_MOVE:
        low += delta;
        high += delta;
        break;
    case ANCHOR_PROPORTIONAL: {
        long extent = high - low;
        low = proportionalEdge(ratio, size, low);
        high = low + extent;
        break;
    }
    default:  // ANCHOR_FIXED and any other value
        break;
    }
}

}  // namespace

PixelRect movedRect(const Anchor& anchor, long dW, long dH, long width, long height)
{
    PixelRect r = anchor.rect;
    moveEdges(anchor.horizontal, r.left, r.right, dW, anchor.horizontalRatio, width);
    moveEdges(anchor.vertical, r.top, r.bottom, dH, anchor.verticalRatio, height);
    return r;
}

void applySizeLimits(SizeLimits& limits, bool initialized, long minWidth, long minHeight, bool allowWidth,
                     bool allowHeight)
{
    if (!initialized)
        return;
    limits.minTrackWidth = minWidth;
    limits.minTrackHeight = minHeight;
    if (!allowWidth)
        limits.maxSizeWidth = limits.maxTrackWidth = minWidth;
    if (!allowHeight)
        limits.maxSizeHeight = limits.maxTrackHeight = minHeight;
}
