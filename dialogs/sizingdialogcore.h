// The layout arithmetic of the resizable dialogs: where an anchored control goes when the
// dialog's window changes size, and the size limits the window may be dragged to.
#pragma once

#include "pixelrect.h"

enum AnchorMode { ANCHOR_FIXED = 0, ANCHOR_STRETCH = 1, ANCHOR_MOVE = 2, ANCHOR_PROPORTIONAL = 3 };

// One registered control: its modes, its rectangle in client coordinates, and for the
// proportional mode its edge's ratio to the rest of the window.
struct Anchor {
    unsigned id;
    int horizontal, vertical;
    PixelRect rect;
    bool excludeFromErase;
    double horizontalRatio, verticalRatio;
};

// The ratio kept by the proportional mode: edge / (window size - edge).
double anchorRatio(long edge, long windowSize);

// Builds an anchor for a control at rect in a window of the given size.
Anchor makeAnchor(unsigned id, int horizontal, int vertical, const PixelRect& rect, bool excludeFromErase,
                  long windowWidth, long windowHeight);

// The control's rectangle after the window's size changed by (dW, dH) to (width, height).
PixelRect movedRect(const Anchor& anchor, long dW, long dH, long width, long height);

// The window's tracking limits, as WM_GETMINMAXINFO fills them.
struct SizeLimits {
    long minTrackWidth, minTrackHeight;
    long maxTrackWidth, maxTrackHeight;
    long maxSizeWidth, maxSizeHeight;
};
// Changes nothing until the dialog is initialised; then the template size is the minimum,
// and a direction that may not change is held at it, maximised too.
void applySizeLimits(SizeLimits& limits, bool initialized, long minWidth, long minHeight, bool allowWidth,
                     bool allowHeight);
