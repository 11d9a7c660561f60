// The environment, symbols and types, and the end of the session.
#include <cstdlib>

#include "builtins.h"

namespace lisp {

Value setSymbol(Interp& in, Args& a)
{
    needCount(a, 2, 2);
    in.setGlobal(symbol(a[0]), a[1]);
    return a[1];
}

namespace {

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
