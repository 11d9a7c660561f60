// The registry branch's key paths: which levels are key names, and a joined path is whole
// or refused, never cut.
#include <gtest/gtest.h>

#include <cstring>

#include "registrycore.h"

namespace {

TEST(RegPath, Levels)
{
    for (const char* good : {"a", "a\\b", "..a", "a.b\\.c", "...", " ", "a b\\c d"})
        EXPECT_TRUE(validLevel(good)) << good;
    for (const char* bad : {"", "\\", "a\\", "\\a", "a\\\\b", ".", "..", "a\\..", "..\\Wine", "a\\.\\b"})
        EXPECT_FALSE(validLevel(bad)) << bad;
}

TEST(RegPath, Join)
{
    struct Case {
        size_t size;
        const char *first, *second;
        KeyPath result;
        const char* path;
    } cases[] = {
        {260, nullptr, nullptr, KeyPath::Built, "SOFTWARE\\Kelmar"},
        {260, "s", nullptr, KeyPath::Built, "SOFTWARE\\Kelmar\\s"},
        {260, "s", "k\\l", KeyPath::Built, "SOFTWARE\\Kelmar\\s\\k\\l"},
        {260, "s", "..", KeyPath::BadLevel, ""},
        {260, "", nullptr, KeyPath::BadLevel, ""},
        {16, nullptr, nullptr, KeyPath::Built, "SOFTWARE\\Kelmar"},  // 15 bytes and the end
        {15, nullptr, nullptr, KeyPath::TooLong, ""},
        {18, "s", nullptr, KeyPath::Built, "SOFTWARE\\Kelmar\\s"},
        {17, "s", nullptr, KeyPath::TooLong, ""},
    };
    for (const Case& c : cases) {
        char path[260] = "junk";
        EXPECT_EQ(joinKeyPath(path, c.size, "SOFTWARE\\Kelmar", c.first, c.second), c.result) << c.path;
        EXPECT_STREQ(path, c.path);
    }
}

TEST(RegPath, NamesOneByOne)
{
    const char* at = "SOFTWARE\\Kelmar\\a b";
    char name[8];
    EXPECT_FALSE(nextKeyName(at, name, sizeof name));  // "SOFTWARE" and its end need 9
    char wide[260];
    std::string seen;
    while (nextKeyName(at, wide, sizeof wide))
        seen += std::string("[") + wide + "]";
    EXPECT_EQ(seen, "[SOFTWARE][Kelmar][a b]");
}

}  // namespace
