#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sysinfocore.h"

namespace {

std::vector<int> split(const char* text)
{
    int n[3] = {-1, -1, -1};
    int count = splitNumbers(text, n, 3);
    return std::vector<int>(n, n + count);
}

TEST(DateText, SplittingAtEveryDelimiter)
{
    const std::pair<const char*, std::vector<int>> cases[] = {
        {"12/31/1999", {12, 31, 1999}}, {"12-31-1999", {12, 31, 1999}}, {"12.31.1999", {12, 31, 1999}},
        {"13:5", {13, 5}},              {"0", {0}},                     {"12//31--1999", {12, 31, 1999}},
        {"/12/31/1999/", {12, 31, 1999}}, {"a/b/c", {0, 0, 0}},        {"7x:30y", {7, 30}},
        {"", {}},                       {"::", {}},                     {"1/2/3/4", {1, 2, 3}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.first), c.second) << c.first;
}

// A number past 16 bits is refused, never cut to one that names another date or time.
TEST(DateText, NumbersThatTheSystemFieldsHold)
{
    const struct {
        const char* text;
        bool fits;
        uint16_t first;
    } cases[] = {{"12/31/1999", true, 12}, {"65535/1/2000", true, 65535}, {"65536/1/2000", false, 0},
                 {"65537/1/2000", false, 0}, {"1/1/999999999", false, 0}, {"65548", false, 0}, {"23:59:59", true, 23}};
    for (const auto& c : cases) {
        int n[3] = {0, 0, 0};
        splitNumbers(c.text, n, 3);
        uint16_t f[3] = {};
        EXPECT_EQ(timeFields(n, 3, f), c.fits) << c.text;
        if (c.fits) {
            EXPECT_EQ(f[0], c.first) << c.text;
        }
    }
}

TEST(DateText, TwelveHourTimesAndDates)
{
    const struct {
        unsigned h, m, s;
        const char* text;
    } times[] = {{0, 15, 0, "12:15:00a"}, {12, 15, 0, "12:15:00p"}, {13, 15, 9, "01:15:09p"},
                 {11, 59, 59, "11:59:59a"}, {23, 0, 0, "11:00:00p"}, {13, 5, 0, "01:05:00p"}};
    for (const auto& t : times) {
        char out[16];
        timeText(out, t.h, t.m, t.s);
        EXPECT_STREQ(out, t.text);
    }
    char out[16];
    dateText(out, 7, 24, 2000);
    EXPECT_STREQ(out, "07-24-2000");
    dateText(out, 12, 31, 1999);
    EXPECT_STREQ(out, "12-31-1999");
}

}  // namespace
