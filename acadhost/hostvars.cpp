// The host's system variables as getvar and setvar see them: the 16-bit ones modules share,
// the reals and strings programs set, and the ones read from the system when asked.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "host.h"

namespace {

using lisp::Value;

// The 16-bit ones live in host.shortVars, which modules read and write too; LEAST..MOST is
// what setvar takes. Read-only ones have LEAST > MOST.
struct ShortVar {
    const char* name;
    short initial, least, most;
};
const ShortVar kShortVars[] = {
    {"LUNITS", 2, 1, 5},      {"LUPREC", 4, 0, 8},      {"AUNITS", 0, 0, 4},     {"AUPREC", 0, 0, 8},
    {"UNITMODE", 0, 0, 1},    {"CMDECHO", 1, 0, 1},     {"FILEDIA", 1, 0, 1},    {"CMDDIA", 1, 0, 1},
    {"MENUECHO", 0, 0, 15},   {"ERRNO", 0, -32768, 32767}, {"EXPERT", 0, 0, 5},  {"OSMODE", 0, 0, 32767},
    {"ORTHOMODE", 0, 0, 1},   {"SNAPMODE", 0, 0, 1},    {"GRIDMODE", 0, 0, 1},   {"BLIPMODE", 0, 0, 1},
    {"HIGHLIGHT", 1, 0, 1},   {"ATTREQ", 1, 0, 1},      {"ATTDIA", 0, 0, 1},     {"PICKFIRST", 1, 0, 1},
    {"PICKADD", 1, 0, 1},     {"TILEMODE", 1, 0, 1},    {"DIMZIN", 0, 0, 15},    {"SDI", 0, 0, 3},
    {"USERI1", 0, -32768, 32767}, {"USERI2", 0, -32768, 32767}, {"USERI3", 0, -32768, 32767},
    {"USERI4", 0, -32768, 32767}, {"USERI5", 0, -32768, 32767},
    {"ANGDIR", 0, 0, 1},      {"INSUNITS", 0, 0, 20},   {"PDMODE", 0, 0, 100},   {"MIRRTEXT", 1, 0, 1},
    {"NOMUTT", 0, 0, 1},      {"EXTNAMES", 1, 0, 1},
    {"DWGTITLED", 0, 1, 0},   {"CMDACTIVE", 0, 1, 0},
};

// Reals and strings the programs may set, with their values now.
std::map<std::string, Value>& settable()
{
    static std::map<std::string, Value> vars = [] {
        std::map<std::string, Value> v;
        for (const char* n : {"USERR1", "USERR2", "USERR3", "USERR4", "USERR5"})
            v[n] = lisp::makeReal(0);
        for (const char* n : {"USERS1", "USERS2", "USERS3", "USERS4", "USERS5"})
            v[n] = lisp::makeStr("");
        for (const char* n : {"DIMSCALE", "LTSCALE", "CELTSCALE"})
            v[n] = lisp::makeReal(1);
        v["ANGBASE"] = lisp::makeReal(0);
        v["ELEVATION"] = lisp::makeReal(0);
        v["PDSIZE"] = lisp::makeReal(0);
        v["TEXTSIZE"] = lisp::makeReal(0.2);
        v["PLINEWID"] = lisp::makeReal(0);
        v["CLAYER"] = lisp::makeStr("0");
        v["CECOLOR"] = lisp::makeStr("BYLAYER");
        v["CELTYPE"] = lisp::makeStr("BYLAYER");
        v["TEXTSTYLE"] = lisp::makeStr("Standard");
        return v;
    }();
    return vars;
}

// A folder with its trailing backslash.
std::string folder(std::string path)
{
    if (path.empty() || path.back() != '\\')
        path += '\\';
    return path;
}

// The read-only ones computed when read; nil for an unknown name.
Value computed(Host& host, const std::string& var)
{
    char buf[MAX_PATH];
    if (var == "ACADVER")
        return lisp::makeStr("15.0");
    if (var == "PRODUCT")
        return lisp::makeStr("AutoCAD");
    if (var == "CTAB")  // no layouts: the model tab is the one there is
        return lisp::makeStr("Model");
    if (var == "PLATFORM") {
        OSVERSIONINFOA v = {};
        v.dwOSVersionInfoSize = sizeof v;
        GetVersionExA(&v);
        std::snprintf(buf, sizeof buf, "Microsoft Windows NT Version %lu.%lu", v.dwMajorVersion, v.dwMinorVersion);
        return lisp::makeStr(buf);
    }
    if (var == "DWGNAME")
        return lisp::makeStr(host.docs.current() ? host.docs.current()->name() : "Drawing1.dwg");
    if (var == "DWGPREFIX")
        return lisp::makeStr(folder(GetCurrentDirectoryA(sizeof buf, buf) ? buf : ""));
    if (var == "TEMPPREFIX")
        return lisp::makeStr(folder(GetTempPathA(sizeof buf, buf) ? buf : ""));
    if (var == "ACADPREFIX")
        return lisp::makeStr(hostFolder());
    if (var == "LOGINNAME") {
        DWORD size = sizeof buf;
        return lisp::makeStr(GetUserNameA(buf, &size) ? buf : "");
    }
    if (var == "CPUTICKS") {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return lisp::makeReal(static_cast<double>(t.QuadPart));
    }
    if (var == "MILLISECS")
        return lisp::makeInt(static_cast<int32_t>(GetTickCount()));
    SYSTEMTIME t;
    GetLocalTime(&t);
    double dayPart = (t.wHour * 3600.0 + t.wMinute * 60.0 + t.wSecond + t.wMilliseconds / 1000.0) / 86400;
    if (var == "DATE") {  // the Julian day number, and the part of the day gone
        int a = (14 - t.wMonth) / 12, y = t.wYear + 4800 - a, m = t.wMonth + 12 * a - 3;
        long day = t.wDay + (153 * m + 2) / 5 + 365L * y + y / 4 - y / 100 + y / 400 - 32045;
        return lisp::makeReal(static_cast<double>(day) + dayPart);
    }
    if (var == "CDATE")  // YYYYMMDD.HHMMSSmmm
        return lisp::makeReal(t.wYear * 10000.0 + t.wMonth * 100 + t.wDay +
                              (t.wHour * 1e7 + t.wMinute * 1e5 + t.wSecond * 1e3 + t.wMilliseconds) / 1e9);
    return nullptr;
}

// A variable's name: a string or a symbol, either case.
std::string varName(const Value& v)
{
    if (!v || (v->type != lisp::Type::Str && v->type != lisp::Type::Sym))
        throw lisp::Error("bad argument type: (or stringp symbolp) " + lisp::prin1(v));
    return lisp::toUpper(v->s);
}

const ShortVar* shortVar(const std::string& name)
{
    for (const ShortVar& v : kShortVars)
        if (name == v.name)
            return &v;
    return nullptr;
}

}  // namespace

void addSystemVariables(Host& host)
{
    for (const ShortVar& v : kShortVars)
        host.shortVars.emplace(v.name, v.initial);
}

Value systemVariable(Host& host, const Value& name)
{
    std::string var = varName(name);
    auto it = host.shortVars.find(var);
    if (it != host.shortVars.end())
        return lisp::makeInt(it->second);
    auto s = settable().find(var);
    return s != settable().end() ? s->second : computed(host, var);
}

// Integers within each variable's range, reals (an integer made one) and strings; the
// others, and read-only ones, are refused.
Value setSystemVariable(Host& host, const Value& name, const Value& v)
{
    std::string var = varName(name);
    // The name as the program wrote it, and the value refused.
    auto rejected = [&]() -> Value {
        throw lisp::Error("AutoCAD variable setting rejected: \"" + name->s + "\" " + lisp::prin1(v));
    };
    auto it = host.shortVars.find(var);
    if (it != host.shortVars.end()) {
        const ShortVar* known = shortVar(var);
        int least = known ? known->least : -32768, most = known ? known->most : 32767;
        if (!v || v->type != lisp::Type::Int || v->i < least || v->i > most)
            return rejected();
        it->second = static_cast<short>(v->i);
        return v;
    }
    auto s = settable().find(var);
    if (s == settable().end())
        return rejected();
    if (s->second->type == lisp::Type::Real && lisp::isNumber(v))
        s->second = lisp::makeReal(lisp::toDouble(v));
    else if (s->second->type == lisp::Type::Str && v && v->type == lisp::Type::Str)
        s->second = v;
    else
        return rejected();
    return s->second;
}
