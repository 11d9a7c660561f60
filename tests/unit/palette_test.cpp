// The host's palette against a real one from another project: the same structure, each
// colour within a step of rounding. Where the real one is irregular (a brightest channel
// that is none of the five shade levels, as at 147 or 149) the colour is not compared.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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
    for (int hue = 0; hue < 24; ++hue) {
        for (int shade = 0; shade + 2 < 10; ++shade) {
            uint32_t a = paletteColor(10 + hue * 10 + shade), b = paletteColor(10 + hue * 10 + shade + 2);
            EXPECT_GE(std::max({red(a), green(a), blue(a)}), std::max({red(b), green(b), blue(b)})) << hue << " " << shade;
        }
    }
    for (int i = 250; i < 255; ++i) {
        uint32_t c = paletteColor(i);
        EXPECT_TRUE(red(c) == green(c) && green(c) == blue(c)) << i;
        EXPECT_LT(red(c), red(paletteColor(i + 1))) << i;
    }
    EXPECT_EQ(paletteColor(0), 0u);
    EXPECT_EQ(paletteColor(256), 0u);
}

TEST(Palette, MatchesARealPaletteWithinRounding)
{
    std::ifstream in(SAMPLES_DIR "/aci/modelspace.tsv");
    ASSERT_TRUE(in) << "sample palette missing";
    int index, r, g, b, compared = 0;
    while (in >> index >> r >> g >> b) {
        if (index >= 250)
            continue;  // the real greys follow no rule
        int top = std::max({r, g, b});
        if (index >= 10 && top != 255 && top != 165 && top != 127 && top != 76 && top != 38)
            continue;
        uint32_t c = paletteColor(index);
        EXPECT_LE(std::abs(red(c) - r) + std::abs(green(c) - g) + std::abs(blue(c) - b), 3) << "index " << index;
        ++compared;
    }
    EXPECT_GE(compared, 225);
}

}  // namespace
