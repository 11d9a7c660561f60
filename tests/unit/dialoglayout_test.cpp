#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "listdialogscore.h"
#include "sizingdialogcore.h"

namespace {

// A picker of 404 x 263 pixels: its list, OK button and a Cancel button a third of the way in.
const long kWidth = 404, kHeight = 263;
const PixelRect kList = {20, 40, 274, 219}, kOk = {290, 40, 378, 63}, kThird = {134, 200, 222, 223};

PixelRect moved(int h, int v, PixelRect r, long dW, long dH)
{
    Anchor a = makeAnchor(205, h, v, r, false, kWidth, kHeight);
    return movedRect(a, dW, dH, kWidth + dW, kHeight + dH);
}

TEST(AnchorLayout, EachModeAfterGrowingBy100And60)
{
    const struct {
        int h, v;
        PixelRect from, to;
    } cases[] = {
        {ANCHOR_FIXED, ANCHOR_FIXED, kList, kList},
        {ANCHOR_STRETCH, ANCHOR_FIXED, kList, {20, 40, 374, 219}},
        {ANCHOR_STRETCH, ANCHOR_STRETCH, kList, {20, 40, 374, 279}},
        {ANCHOR_MOVE, ANCHOR_FIXED, kOk, {390, 40, 478, 63}},
        {ANCHOR_MOVE, ANCHOR_MOVE, kOk, {390, 100, 478, 123}},
        // 504 * 134/404 = 167.17: truncated, width kept; vertically 323 * 200/263 = 245.6.
        {ANCHOR_PROPORTIONAL, ANCHOR_PROPORTIONAL, kThird, {167, 245, 255, 268}},
        {7, -1, kList, kList},  // unknown modes stay fixed
    };
    for (const auto& c : cases) {
        PixelRect r = moved(c.h, c.v, c.from, 100, 60);
        EXPECT_EQ(r, c.to) << c.h << "," << c.v << ": " << r.left << "," << r.top << "," << r.right << ","
                           << r.bottom;
    }
}

TEST(AnchorLayout, GrowingAndShrinkingBackRestoresTheTemplate)
{
    for (int mode = 0; mode <= 3; ++mode) {
        Anchor a = makeAnchor(1, mode, mode, kThird, false, kWidth, kHeight);
        long width = kWidth, height = kHeight;
        for (long step : {100L, 37L, -80L, 250L}) {
            a.rect = movedRect(a, step, step / 2, width + step, height + step / 2);
            width += step;
            height += step / 2;
        }
        a.rect = movedRect(a, kWidth - width, kHeight - height, kWidth, kHeight);
        EXPECT_EQ(a.rect, kThird) << "mode " << mode;
    }
}

TEST(AnchorLayout, ProportionalRatioAndItsLimits)
{
    EXPECT_DOUBLE_EQ(anchorRatio(134, 404), 134.0 / 270.0);
    EXPECT_DOUBLE_EQ(anchorRatio(0, 404), 0.0);
    // An edge at the window's far side has no finite ratio: the control stays put.
    Anchor a = makeAnchor(2, ANCHOR_PROPORTIONAL, ANCHOR_FIXED, {404, 0, 420, 10}, false, 404, 100);
    EXPECT_EQ(movedRect(a, 100, 0, 504, 100), (PixelRect{404, 0, 420, 10}));
}

TEST(AnchorLayout, SizeLimits)
{
    const SizeLimits system = {100, 30, 1600, 1200, 1024, 768};
    const struct {
        bool initialized, allowWidth, allowHeight;
        SizeLimits expected;
    } cases[] = {
        {false, false, false, system},
        {true, true, true, {404, 263, 1600, 1200, 1024, 768}},
        {true, true, false, {404, 263, 1600, 263, 1024, 263}},
        {true, false, true, {404, 263, 404, 1200, 404, 768}},
    };
    for (const auto& c : cases) {
        SizeLimits limits = system;
        applySizeLimits(limits, c.initialized, 404, 263, c.allowWidth, c.allowHeight);
        EXPECT_EQ(limits.minTrackWidth, c.expected.minTrackWidth);
        EXPECT_EQ(limits.minTrackHeight, c.expected.minTrackHeight);
        EXPECT_EQ(limits.maxTrackWidth, c.expected.maxTrackWidth);
        EXPECT_EQ(limits.maxTrackHeight, c.expected.maxTrackHeight);
        EXPECT_EQ(limits.maxSizeWidth, c.expected.maxSizeWidth);
        EXPECT_EQ(limits.maxSizeHeight, c.expected.maxSizeHeight);
    }
}

TEST(ComboMatch, EarliestPlaceThenEarliestItem)
{
    const struct {
        std::vector<std::string> items;
        std::string typed;
        int best;
    } cases[] = {
        {{"alpha", "beta"}, "ta", 1},   {{"ab", "xab"}, "ab", 0},     {{"xab", "ab"}, "ab", 1},
        {{"alpha", "beta"}, "", 0},     {{"alpha", "beta"}, "zz", -1}, {{}, "a", -1},
        {{"Beta", "beta"}, "b", 1},     {{"xa", "ya"}, "a", 0},        {{"abc"}, "abcd", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bestMatch(c.items, c.typed), c.best) << c.typed;
}

}  // namespace
