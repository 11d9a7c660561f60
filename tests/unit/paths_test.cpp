#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

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

TEST(Paths, Roots)
{
    for (const char* root : {"", "   ", "\\", "/", "C:", "c:\\", "C:/", "x:\\ ", "\\\\server\\share", "\\\\server\\share\\",
                             "//server/share/", "\\\\server"})
        EXPECT_TRUE(namesRoot(root)) << '"' << root << '"';
    for (const char* folder : {"C:\\TEMP", "c:\\temp\\", "a", ".", "..", "C:a", "\\temp", "\\\\server\\share\\dir", "x:/sub"})
        EXPECT_FALSE(namesRoot(folder)) << '"' << folder << '"';
}

TEST(Paths, SameDrive)
{
    struct Row {
        const char *a, *b;
        bool same;
    };
    const Row rows[] = {
        {"C:\\a.txt", "c:\\dir\\b.txt", true}, {"C:\\a", "D:\\a", false},
        {"\\\\srv\\share\\a", "\\\\SRV\\Share\\b\\c", true}, {"\\\\srv\\share\\a", "\\\\srv\\other\\a", false},
        {"\\\\srv\\share\\a", "C:\\a", false}, {"//srv/share/a", "\\\\srv\\share\\b", true}, {"a", "a", false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(sameDrive(r.a, r.b), r.same) << r.a << " " << r.b;
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

// The folder is everything up to the last separator, however long: a folder of 256 bytes
// or more, which the runtime's splitting drops, keeps its full length.
TEST(Paths, FolderLength)
{
    const struct {
        const char* path;
        size_t length;
    } cases[] = {{"C:\\TEMP\\*.txt", 8}, {"C:\\*", 3}, {"C:/a/b", 5}, {"\\\\srv\\share\\f", 12},
                 {"C:name", 0}, {"name", 0}, {"", 0}, {"C:\\dir\\", 7}};
    for (const auto& c : cases)
        EXPECT_EQ(folderLength(c.path), c.length) << c.path;
    std::string deep = "C:\\" + std::string(254, 'd') + "\\*";  // 259 bytes, a folder of 258
    EXPECT_EQ(folderLength(deep.c_str()), 258u);
}

TEST(Paths, DeviceNames)
{
    const char* devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* d : devices)
        for (const char* form : {"%s", "%s.txt", "%s.", "%s...", "%s  ", "%s .dwg", "%s.a.b", "%s:"})
            for (const char* dir : {"", "c:\\", "m:/sub/", "\\\\.\\", "c:", "..\\"}) {
                char name[64], path[80];
                std::snprintf(name, sizeof name, form, d);
                std::snprintf(path, sizeof path, "%s%s", dir, name);
                EXPECT_TRUE(namesDevice(path)) << path;
                for (char* p = path; *p; ++p)
                    *p = static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
                EXPECT_TRUE(namesDevice(path)) << path;
            }
    for (const char* prefix : {"COM", "LPT", "com", "Lpt"})
        for (char digit = '0'; digit <= '9'; ++digit) {
            char path[16];
            std::snprintf(path, sizeof path, "%s%c.x", prefix, digit);
            EXPECT_EQ(namesDevice(path), digit != '0') << path;
        }
    const char* files[] = {
        "", "c:\\", "con\\", "aux\\file.txt", "console", "nul1", "com10", "lpt", "com", "xcon", "prn_",
        " con", "conin", "conout$x", "c:\\temp\\a.txt", "auxiliary.dwg", "com1a.txt", "\\\\.\\pipe\\x", "c:.con",
    };
    for (const char* f : files)
        EXPECT_FALSE(namesDevice(f)) << f;
}

}  // namespace
