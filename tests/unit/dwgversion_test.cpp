#include <gtest/gtest.h>

#include <cstring>

#include "dwgversion.h"

namespace {

std::string lookup(const char* six)
{
    char code[7] = {};
    std::memcpy(code, six, 6);
    return dwgVersionName(code);
}

TEST(DwgVersion, EveryRowAndItsNeighbours)
{
    const std::pair<const char*, const char*> cases[] = {
        {"AC1015", "AutoCAD 2000"},
        {"AC1500", "AutoCAD Release T"},
        {"AC1014", "AutoCAD Release 14"},
        {"AC1013", "AutoCAD Internal: Early 14"},
        {"AC1012", "AutoCAD Release 13"},
        {"AC1011", "AutoCAD Internal: Late 13"},
        {"AC1010", "AutoCAD Internal: Early 13"},
        {"AC1009", "AutoCAD Release 11/12"},
        {"AC1008", "AutoCAD Internal: Late Z"},
        {"AC1007", "AutoCAD Internal: Early Z"},
        {"AC1006", "AutoCAD Release 10"},
        {"AC1005", "AutoCAD Version Y"},
        {"AC1004", "AutoCAD Release 9"},
        {"AC1003", "AutoCAD Version 2.60"},
        {"AC1002", "AutoCAD Version 2.50"},
        {"AC1001", "AutoCAD Version 2.22 (Unix)"},
        {"AC2.22", "AutoCAD Version 2.22 (MS-DOS)"},
        {"AC2.21", "AutoCAD Version 2.21"},
        {"AC2.20", "AutoCAD Internal: 2.20"},
        {"AC2.10", "AutoCAD Version 2.10"},
        {"AC1.50", "AutoCAD Version 1.50"},
        {"AC1.40", "AutoCAD Version 1.40"},
        {"AC1.2\0", "AutoCAD Version 1.2"},
        {"MC0.0\0", "AutoCAD Version 1.0"},
        {"AC1.2X", "Unknown"},
        {"MC0.0 ", "Unknown"},
        {"ac1015", "Unknown"},
        {"AC1016", "Unknown"},
        {"AC1018", "Unknown"},
        {"AC1032", "Unknown"},
        {"\0AC101", "Unknown"},
        {"hello ", "Unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookup(c.first), c.second) << c.first;
}

}  // namespace
