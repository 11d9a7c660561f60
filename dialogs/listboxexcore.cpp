#include "listboxexcore.h"

MarkerPieces insertMarker(const PixelRect& item)
{
    long l = item.left, t = item.top, r = item.right;
    return {{l + 5, t - 2, r - 5, t + 2}, {l + 2, t - 6, l + 5, t + 6}, {r - 5, t - 6, r - 2, t + 6}};
}

PixelRect inPlaceEditRect(const PixelRect& item)
{
    return {item.left + 5, item.top - 2, item.right - 5, item.bottom + 2};
}

PropertyRow propertyRow(const PixelRect& row, long dividerX)
{
    return {{row.left, row.top, dividerX - 1, row.bottom},
            {dividerX, row.top, row.right, row.bottom},
            {row.left + 3, row.top + 3, dividerX - 4, row.bottom + 3},
            {dividerX + 3, row.top + 3, row.right + 3, row.bottom + 3}};
}

PixelRect valueEditorRect(const PixelRect& row, long dividerX)
{
    return {dividerX, row.top, row.right, row.bottom - 3};
}

long firstDivider(const PixelRect& row)
{
    return (row.right - row.left) / 2;
}
