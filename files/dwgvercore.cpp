#include "dwgvercore.h"

#include <cstring>

namespace {

struct Version {
    const char* code;
    const char* name;
};

const Version versions[] = {
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
    {"AC1.2", "AutoCAD Version 1.2"},
    {"MC0.0", "AutoCAD Version 1.0"},
};

}  // namespace

const char* dwgVersionName(const char code[7])
{
    for (const Version& v : versions)
        if (std::strcmp(code, v.code) == 0)
            return v.name;
    return "Unknown";
}
