// The environment, symbols and types, and the end of the session.
#include <cstdlib>
#include <utility>

#include "builtins.h"

namespace lisp {

Value setSymbol(Interp& in, Args& a)
{
    needCount(a, 2, 2);
    in.setGlobal(symbol(a[0]), a[1]);
    return a[1];
}

namespace {

// A name of setcfg and getcfg in capitals: "AppData/APPLICATION/.../PARAMETER", at most 496
// characters and no part empty; "" for any other.
std::string configurationName(const std::string& name)
{
    std::string key = toUpper(name);
    const std::string root = "APPDATA/";
    if (key.size() > 496 || key.compare(0, root.size(), root) != 0 || key.back() == '/' ||
        key.find("//") != std::string::npos || key.find('/', root.size()) == std::string::npos)
        return "";
    return key;
}

const Reg kSystem[] = {
    {"GETENV",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         auto set = in.environment.find(str(a[0]));
         if (set != in.environment.end())
             return makeStr(set->second);
         const char* v = std::getenv(str(a[0]).c_str());
         return v ? makeStr(v) : nullptr;
     }},
    {"SETENV",  // the value, kept by its name as written
     [](Interp& in, Args& a) -> Value {
         needCount(a, 2, 2);
         in.environment[str(a[0])] = str(a[1]);
         return a[1];
     }},
    {"SETCFG",  // (setcfg NAME VALUE): VALUE, kept for the session; nil for a name of no parameter
     [](Interp& in, Args& a) -> Value {
         needCount(a, 2, 2);
         std::string key = configurationName(str(a[0]));
         if (key.empty())
             return nullptr;
         in.configuration[key] = str(a[1]);
         return a[1];
     }},
    {"GETCFG",  // "" for a parameter never set
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         std::string key = configurationName(str(a[0]));
         if (key.empty())
             return nullptr;
         auto set = in.configuration.find(key);
         return makeStr(set == in.configuration.end() ? "" : set->second);
     }},
    // Memory grows as it is needed: the old programs' calls to size it change nothing.
    {"ALLOC",  // the segment size before
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         int32_t size = integer(a[0]);
         if (size <= 0)
             badValue(a[0]);
         std::swap(size, in.segment);
         return makeInt(size);
     }},
    {"EXPAND",  // the segments asked for, every one granted
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         if (integer(a[0]) <= 0)
             badValue(a[0]);
         return a[0];
     }},
    {"GC", [](Interp&, Args& a) { needCount(a, 0, 0); return Value(); }},
    {"SET", setSymbol},
    {"TYPE",
     [](Interp&, Args& a) -> Value {
         static const char* const names[] = {"INT", "REAL", "STR", "SYM", "LIST", "", "SUBR", "USUBR", "EXRXSUBR", "FILE",
                                            "VL-CATCH-ALL-APPLY-ERROR"};
         needCount(a, 1, 1);
         return isNil(a[0]) ? nullptr : makeSym(names[static_cast<int>(a[0]->type)]);
     }},
    {"QUIT", [](Interp& in, Args& a) -> Value { needCount(a, 0, 0); in.quitting = true; throw Error("quit / exit abort"); }},
    {"EXIT", [](Interp& in, Args& a) -> Value { needCount(a, 0, 0); in.quitting = true; throw Error("quit / exit abort"); }},
    {"VL-LOAD-COM", [](Interp&, Args&) { return Value(); }},
    {"VER", [](Interp&, Args& a) { needCount(a, 0, 0); return makeStr("Visual LISP 2000 (en)"); }},
    // The text screen is the console, and there is no graphics screen to switch to.
    {"TEXTPAGE", [](Interp&, Args& a) { needCount(a, 0, 0); return Value(); }},
    {"TEXTSCR", [](Interp&, Args& a) { needCount(a, 0, 0); return Value(); }},
    {"GRAPHSCR", [](Interp&, Args& a) { needCount(a, 0, 0); return Value(); }},
};

}  // namespace

Family systemBuiltins() { return family(kSystem); }

}  // namespace lisp
