#include <gtest/gtest.h>

#include <string>

#include "labelledprogresscore.h"

namespace {

TEST(ProgressMath, FilledWidthAndLabel)
{
    const struct {
        int pos, lower, upper;
        long width, filled;
        const char* label;
    } cases[] = {
        {50, 0, 200, 225, 56, "25%"},     // a quarter: 56.25 cut to 56
        {60, 0, 200, 225, 67, "30%"},
        {1, 0, 3, 225, 75, "33%"},        // truncated, not rounded
        {2, 0, 3, 225, 150, "66%"},
        {300, 0, 200, 225, 337, "150%"},  // past the range: more than the bar, above 100
        {1, 0, 1000, 150, 0, "0%"},       // 0.15 and 0.9 pixels: the same width
        {6, 0, 1000, 150, 0, "0%"},
        {7, 0, 1000, 150, 1, "0%"},
        {-10, 0, 100, 150, -15, "-10%"},
        {5, 5, 5, 150, 0, "0%"},          // an empty range fills nothing
        {9, 10, 5, 150, 0, "0%"},
        {32767, -32768, 32767, 1000, 1000, "100%"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.filled, filledWidth(c.pos, c.lower, c.upper, c.width)) << c.pos << " of " << c.upper;
        EXPECT_EQ(c.label, barLabel("", c.pos, c.lower, c.upper)) << c.pos << " of " << c.upper;
    }
    EXPECT_EQ("Copying", barLabel("Copying", 1, 0, 2));
}

// Every whole percentage reached exactly is shown as itself: 29 of 100 is 29%, never the
// 28% of 0.29 x 100 in binary floating point; and a bar twice as many pixels wide as its
// range fills two pixels a step.
TEST(ProgressMath, EveryPercentageExactly)
{
    for (int range : {100, 200, 1000}) {
        for (int percent = 0; percent <= 100; ++percent) {
            int pos = percent * (range / 100);
            EXPECT_EQ(std::to_string(percent) + "%", barLabel("", pos, 0, range)) << pos << " of " << range;
            EXPECT_EQ(2L * pos, filledWidth(pos, 0, range, 2L * range)) << pos << " of " << range;
            EXPECT_EQ(std::to_string(percent) + "%", barLabel("", pos + 7, 7, range + 7)) << "from 7";
        }
    }
    const char* thirds[] = {"0%", "33%", "66%", "100%"};
    for (int pos = 0; pos <= 3; ++pos) {
        EXPECT_EQ(thirds[pos], barLabel("", pos, 0, 3)) << pos << " of 3";
        EXPECT_EQ(100L * pos, filledWidth(pos, 0, 3, 300)) << pos << " of 3";
    }
    EXPECT_EQ("28%", barLabel("", 57, 0, 200));  // 28.5: cut, not rounded
    EXPECT_EQ("29%", barLabel("", 58, 0, 200));
}

TEST(ProgressMath, ShareHeldWithinRange)
{
    EXPECT_EQ("2147483647%", barLabel("", 2147483647, 0, 1));
    EXPECT_EQ("-2147483648%", barLabel("", -2147483647 - 1, 0, 1));
    EXPECT_EQ("100%", barLabel("", 2147483647, -2147483647 - 1, 2147483647));
    EXPECT_EQ(1000, filledWidth(2147483647, -2147483647 - 1, 2147483647, 1000));
    EXPECT_EQ(1L << 30, filledWidth(1, 0, 1, 2147483647L));  // no wider than any window
}

TEST(ProgressMath, SplitLine)
{
    const PixelRect client = {0, 0, 200, 20};
    const struct {
        int pos;
        bool vertical;
        PixelRect bar, rest;
    } cases[] = {
        {25, false, {0, 0, 50, 20}, {50, 0, 200, 20}},
        {0, false, {0, 0, 0, 20}, {0, 0, 200, 20}},
        {150, false, {0, 0, 200, 20}, {200, 0, 200, 20}},   // held at the right edge
        {-50, false, {0, 0, 0, 20}, {0, 0, 200, 20}},       // and at the left
        {50, true, {0, 10, 200, 20}, {0, 0, 200, 10}},      // upright: filled from the bottom
        {33, true, {0, 14, 200, 20}, {0, 0, 200, 14}},      // 6.6 cut to 6
    };
    for (const auto& c : cases) {
        BarParts p = splitBar(client, c.pos, 0, 100, c.vertical);
        EXPECT_EQ(c.bar, p.bar) << c.pos << (c.vertical ? " upright" : "");
        EXPECT_EQ(c.rest, p.rest) << c.pos << (c.vertical ? " upright" : "");
    }
    BarParts moved = splitBar({10, 5, 160, 19}, 1, 0, 2, false);
    EXPECT_EQ((PixelRect{10, 5, 85, 19}), moved.bar);
}

TEST(ProgressMath, OffsetHoldsTheRange)
{
    EXPECT_EQ(60, offsetPosition(50, 10));
    EXPECT_EQ(2147483647, offsetPosition(2147483600, 32768));
    EXPECT_EQ(-2147483647 - 1, offsetPosition(-2147483600, -32768));
}

}  // namespace
