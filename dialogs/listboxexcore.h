// Where the edit list and the property list draw: the pieces of the insertion marker, the
// in-place edit over an item, the property rows' cells and the divider's grab zone. Pure
// arithmetic on rectangles (left, top, right, bottom), so it is tested on its own.
#pragma once

#include "pixelrect.h"

// The insertion marker before an item: a bar across the item's top edge with a short
// upright at each end, drawn by inverting, so drawing it again takes it away.
struct MarkerPieces {
    PixelRect bar, leftCap, rightCap;
};
MarkerPieces insertMarker(const PixelRect& item);

// The in-place edit over an item: 5 pixels in from each side, 2 pixels out above and below.
PixelRect inPlaceEditRect(const PixelRect& item);

// A property row split at dividerX: the name cell left of it (a pixel short), the value cell
// from it; the texts 3 pixels in; the value editor over the value cell, 3 pixels short of
// the row's bottom edge.
struct PropertyRow {
    PixelRect nameCell, valueCell, nameText, valueText;
};
PropertyRow propertyRow(const PixelRect& row, long dividerX);
PixelRect valueEditorRect(const PixelRect& row, long dividerX);
// Where the divider first stands: the middle of the row.
long firstDivider(const PixelRect& row);
// A press this close to the divider grabs it.
const long kDividerGrab = 5;
inline bool nearDivider(long x, long dividerX)
{
    return x >= dividerX - kDividerGrab && x <= dividerX + kDividerGrab;
}
