#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filepickerscore.h"

namespace {

using Strings = std::vector<std::string>;

struct Case {
    std::string buffer;  // as the dialog leaves it, zero bytes and all
    Strings list;
};

TEST(FileChoice, ListsAsTheFunctionReturnsThem)
{
    using namespace std::string_literals;
    const Case cases[] = {
        {"C:\\DWG\\A.DWG\0\0"s, {"C:\\DWG\\", "A.DWG"}},
        {"C:\\A.DWG\0\0"s, {"C:\\", "A.DWG"}},
        {"C:\\DWG\0A.DWG\0B.DWG\0\0"s, {"C:\\DWG\\", "A.DWG", "B.DWG"}},
        {"C:\\\0A.DWG\0B.DWG\0\0"s, {"C:\\", "A.DWG", "B.DWG"}},
        {"\\\\server\\share\\plan.dwg\0\0"s, {"\\\\server\\share\\", "plan.dwg"}},
        {"c:/dwg/a.dwg\0\0"s, {"c:/dwg/", "a.dwg"}},
        {"C:a.dwg\0\0"s, {"C:", "a.dwg"}},
        {"a.dwg\0\0"s, {"", "a.dwg"}},
        {"C:\\DWG\\\0\0"s, {"C:\\DWG\\", ""}},
        {"\0\0"s, {}},
        {""s, {}},
    };
    int row = 0;
    for (const Case& c : cases) {
        EXPECT_EQ(c.list, fileChoice(c.buffer.data(), c.buffer.size())) << "row " << row;
        ++row;
    }
}

TEST(FileChoice, ReadsNoFurtherThanTheBuffer)
{
    // No closing zero bytes: the last string ends where the buffer does.
    const char full[] = {'C', ':', '\\', 'D', '\0', 'a', '.', 'd', 'w', 'g'};
    EXPECT_EQ((Strings{"C:\\D\\", "a.dwg"}), fileChoice(full, sizeof full));
    const char path[] = {'C', ':', '\\', 'a'};
    EXPECT_EQ((Strings{"C:\\", "a"}), fileChoice(path, sizeof path));
}

TEST(FileChoice, HundredsOfNames)
{
    std::string buffer = "C:\\many";
    Strings expected = {"C:\\many\\"};
    buffer += '\0';
    for (int k = 0; k < 500; ++k) {
        std::string name = "file-" + std::to_string(k) + ".txt";
        buffer += name + '\0';
        expected.push_back(name);
    }
    buffer += '\0';
    EXPECT_EQ(expected, fileChoice(buffer.data(), buffer.size()));
}

}  // namespace
