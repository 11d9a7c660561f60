#include <gtest/gtest.h>

#include <cstring>

#include "paths.h"

namespace {

struct Case {
    const char* in;
    const char* out;
};

TEST(Paths, StripTrailingBackslash)
{
    const Case cases[] = {
        {"C:\\", "C:\\"}, {"C:\\TEMP\\", "C:\\TEMP"}, {"\\", "\\"}, {"A\\", "A"}, {"AB\\", "AB"},
        {"C:\\TEMP", "C:\\TEMP"}, {"", ""}, {"\\\\", "\\"}, {"C:", "C:"}, {"x:\\a\\", "x:\\a"},
    };
    for (const Case& c : cases) {
        char buf[260];
        std::strcpy(buf, c.in);
        stripTrailingBackslash(buf);
        EXPECT_STREQ(buf, c.out) << c.in;
    }
}

TEST(Paths, AddTrailingBackslash)
{
    const Case cases[] = {{"C:\\TEMP", "C:\\TEMP\\"}, {"C:\\", "C:\\"}, {"", "\\"}, {"a", "a\\"}};
    for (const Case& c : cases) {
        char buf[260];
        std::strcpy(buf, c.in);
        EXPECT_TRUE(addTrailingBackslash(buf, sizeof buf));
        EXPECT_STREQ(buf, c.out) << c.in;
    }
}

TEST(Paths, AddTrailingBackslashNeverWritesPastTheBuffer)
{
    char buf[8] = "abcdef";  // 6 bytes and the terminator: room for one more
    EXPECT_TRUE(addTrailingBackslash(buf, sizeof buf));
    EXPECT_STREQ(buf, "abcdef\\");
    char full[8] = "abcdefg";
    EXPECT_FALSE(addTrailingBackslash(full, sizeof full));
    EXPECT_STREQ(full, "abcdefg");
}

TEST(Paths, ToBackslashes)
{
    char buf[] = "c:/temp//a.txt";
    toBackslashes(buf);
    EXPECT_STREQ(buf, "c:\\temp\\\\a.txt");
}

}  // namespace
