// The host's palette: its basic colours and the structure of its table.
#include <gtest/gtest.h>

#include <algorithm>

#include "palette.h"

namespace {

int red(uint32_t c) { return c & 0xFF; }
int green(uint32_t c) { return (c >> 8) & 0xFF; }
int blue(uint32_t c) { return (c >> 16) & 0xFF; }

TEST(Palette, BasicColours)
{
    const uint32_t expected[] = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF, 0xFFFFFF};
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(paletteColor(i), expected[i - 1]) << i;
    EXPECT_EQ(red(paletteColor(8)), green(paletteColor(8)));
    EXPECT_LT(red(paletteColor(8)), red(paletteColor(9)));
}

TEST(Palette, Structure)
{
    EXPECT_EQ(paletteColor(10), paletteColor(1));   // each hue starts at its full colour
    EXPECT_EQ(paletteColor(255), paletteColor(7));  // the greys end in white
    for (int i = 250; i < 255; ++i) {
        uint32_t c = paletteColor(i);
        EXPECT_TRUE(red(c) == green(c) && green(c) == blue(c)) << i;
        EXPECT_LT(red(c), red(paletteColor(i + 1))) << i;
    }
    EXPECT_EQ(paletteColor(0), 0u);
    EXPECT_EQ(paletteColor(256), 0u);
}

TEST(Palette, WhereAFormulaWouldBeAStepOff)
{
    // The table's own figures, where an even split of the shades would give 165 102 82 and
    // 192 255 0; the whole table is checked against an independent copy by palette.reference.
    EXPECT_EQ(paletteColor(23), 0x5267A5u);
    EXPECT_EQ(paletteColor(60), 0x00FFBFu);
}

}  // namespace
