#include <gtest/gtest.h>

#include <string>

#include "listboxexcore.h"

namespace {

std::string show(const PixelRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST(ListGeometry, InsertionMarkerPieces)
{
    // An item 16 pixels high at the top of a list 200 pixels wide, and the third such item.
    const struct {
        PixelRect item;
        PixelRect bar, leftCap, rightCap;
    } cases[] = {
        {{0, 0, 200, 16}, {5, -2, 195, 2}, {2, -6, 5, 6}, {195, -6, 198, 6}},
        {{0, 32, 200, 48}, {5, 30, 195, 34}, {2, 26, 5, 38}, {195, 26, 198, 38}},
    };
    for (const auto& c : cases) {
        MarkerPieces m = insertMarker(c.item);
        EXPECT_EQ(m.bar, c.bar) << show(m.bar);
        EXPECT_EQ(m.leftCap, c.leftCap) << show(m.leftCap);
        EXPECT_EQ(m.rightCap, c.rightCap) << show(m.rightCap);
        // The bar is 4 high, the caps 3 wide and 12 high, centred on the item's top edge.
        EXPECT_EQ(m.bar.bottom - m.bar.top, 4);
        EXPECT_EQ(m.leftCap.right - m.leftCap.left, 3);
        EXPECT_EQ(m.rightCap.bottom - m.rightCap.top, 12);
    }
}

TEST(ListGeometry, InPlaceEdit)
{
    EXPECT_EQ(inPlaceEditRect({0, 16, 200, 32}), (PixelRect{5, 14, 195, 34}));
}

TEST(ListGeometry, PropertyRowCells)
{
    const PixelRect row = {0, 20, 250, 40};
    EXPECT_EQ(firstDivider(row), 125);
    EXPECT_EQ(firstDivider({0, 0, 251, 20}), 125);  // truncated
    PropertyRow cells = propertyRow(row, 125);
    EXPECT_EQ(cells.nameCell, (PixelRect{0, 20, 124, 40}));
    EXPECT_EQ(cells.valueCell, (PixelRect{125, 20, 250, 40}));
    EXPECT_EQ(cells.nameText, (PixelRect{3, 23, 121, 43}));
    EXPECT_EQ(cells.valueText, (PixelRect{128, 23, 253, 43}));
    EXPECT_EQ(valueEditorRect(row, 165), (PixelRect{165, 20, 250, 37}));
}

TEST(ListGeometry, DividerGrabZoneIsFivePixelsEachSide)
{
    const struct {
        long x;
        bool grabs;
    } cases[] = {{119, false}, {120, true}, {125, true}, {130, true}, {131, false}};
    for (const auto& c : cases)
        EXPECT_EQ(nearDivider(c.x, 125), c.grabs) << c.x;
}

}  // namespace
