#include <gtest/gtest.h>

#include <vector>

#include "editlistcore.h"

namespace {

unsigned long le32(const std::vector<unsigned char>& b, size_t at)
{
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<unsigned long>(b[at + 3]) << 24;
}

TEST(ToolStrip, ButtonRectanglesSitAtTheRightEndCentred)
{
    // The header of the edit list is 343 x 24 pixels at the template size.
    const struct {
        int i;
        long width, height;
        PixelRect rect;
    } cases[] = {
        {0, 343, 24, {255, 2, 277, 22}},
        {1, 343, 24, {277, 2, 299, 22}},
        {2, 343, 24, {299, 2, 321, 22}},
        {3, 343, 24, {321, 2, 343, 22}},
        {3, 443, 24, {421, 2, 443, 22}},  // widened by 100: still at the right end
        {0, 88, 20, {0, 0, 22, 20}},
        {0, 100, 25, {12, 2, 34, 22}},  // (25 - 20) / 2 truncated
        {0, 60, 10, {-28, -5, -6, 15}},  // smaller than the strip: (10 - 20) / 2 toward zero
    };
    for (const auto& c : cases) {
        PixelRect r = toolButtonRect(c.i, c.width, c.height);
        EXPECT_EQ(r, c.rect) << "button " << c.i << " of " << c.width << "x" << c.height << ": " << r.left << ","
                             << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(ToolStrip, HotFrame)
{
    // The frame is composed 2 pixels left of the button: shown 2 pixels right, it lands on it.
    EXPECT_EQ(toolFrameRect(1, 343, 24), (PixelRect{275, 2, 297, 22}));
    EXPECT_EQ(toolStripTop(24), 2);
}

TEST(ToolStrip, BitmapFileIsA16ColourPictureOf88By20)
{
    std::vector<unsigned char> file = toolStripBitmapFile();
    ASSERT_EQ(file.size(), 998u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(file, 2), 998u);
    EXPECT_EQ(le32(file, 10), 118u);
    EXPECT_EQ(le32(file, 18), 88u);
    EXPECT_EQ(le32(file, 22), 20u);
    EXPECT_EQ(file[28], 4);  // bits per pixel
    EXPECT_EQ(le32(file, 30), 0u);  // uncompressed
    // The background's entry is the light grey that shows in the button-face colour.
    size_t grey = kToolStripPaletteOffset + 4 * kToolStripGrey;
    EXPECT_EQ(file[grey], 192);
    EXPECT_EQ(file[grey + 1], 192);
    EXPECT_EQ(file[grey + 2], 192);
    // The last row of the file is the picture's top row: all background there.
    EXPECT_EQ(file[118 + 19 * 44], kToolStripGrey << 4 | kToolStripGrey);
}

TEST(ToolStrip, GlyphsOnGrey)
{
    const struct {
        int x, y, index;
        const char* what;
    } cases[] = {
        {0, 0, 8, "corner background"},
        {5, 4, 15, "the spark's white heart"},
        {2, 4, 11, "a yellow ray of the spark"},
        {17, 17, 0, "a dot of the sheet's corner"},
        {22 + 6, 5, 1, "the cross, dark red"},
        {22 + 10, 10, 1, "the cross's middle"},
        {22 + 2, 10, 8, "beside the cross"},
        {44 + 10, 4, 0, "the up arrow's tip"},
        {44 + 4, 10, 0, "the up arrow's widest row"},
        {44 + 10, 15, 0, "the up arrow's stem"},
        {44 + 4, 15, 8, "beside the stem"},
        {66 + 10, 15, 0, "the down arrow's tip"},
        {66 + 10, 4, 0, "the down arrow's stem"},
        {87, 19, 8, "the last pixel"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toolStripPixel(c.x, c.y), c.index) << c.what;
    int coloured = 0;
    for (int y = 0; y < kToolStripHeight; ++y)
        for (int x = 0; x < kToolStripWidth; ++x)
            coloured += toolStripPixel(x, y) != kToolStripGrey;
    EXPECT_GT(coloured, 150);
    EXPECT_LT(coloured, 700);
}

}  // namespace
