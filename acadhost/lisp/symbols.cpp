// Symbols and namespaces: their values (a defun-q function's list too), the symbol table,
// the blackboard and the document's variables, errors caught as values, and where *error*
// runs.
#include <algorithm>

#include "builtins.h"

namespace lisp {

namespace {

// The caught error's value: its message, for vl-catch-all-error-message.
Value caughtError(const std::string& message)
{
    Value v = makeCell(Type::CatchError, "");
    v->s = message;
    return v;
}

bool isCaught(const Value& v) { return v && v->type == Type::CatchError; }

// (atoms-family FORMAT [NAMES]): the names as symbols (0) or strings (1).
Value atomsFamily(Interp& in, Args& a)
{
    needCount(a, 1, 2);
    int32_t format = intArg(a[0], 0, 1);
    auto item = [format](const std::string& name) { return format == 0 ? makeSym(name) : makeStr(name); };
    std::vector<std::string> names = in.atomNames();
    std::sort(names.begin(), names.end());
    std::vector<Value> out;
    if (a.size() == 2 && !isNil(a[1])) {
        for (const Value& v : elements(a[1])) {
            std::string name = toUpper(str(v));
            bool found = std::binary_search(names.begin(), names.end(), name) ||
                         (in.externalDefined && in.externalDefined(name));
            out.push_back(found ? item(name) : nullptr);
        }
        return listFrom(out);
    }
    for (const std::string& name : names)
        out.push_back(item(name));
    return listFrom(out);
}

const Reg kSymbols[] = {
    {"VL-SYMBOLP", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(a[0] && a[0]->type == Type::Sym); }},
    {"VL-SYMBOL-VALUE", [](Interp& in, Args& a) { needCount(a, 1, 1); symbol(a[0]); return in.eval(a[0]); }},
    {"ATOMS-FAMILY", atomsFamily},
    // A defun-q function is the list ((params / locals) body...): these read and set it.
    {"DEFUN-Q-LIST-REF",  // nil where the value is no list
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         Value v = in.getGlobal(symbol(a[0]));
         return v && v->type == Type::Cons ? v : nullptr;
     }},
    {"DEFUN-Q-LIST-SET",  // the symbol
     [](Interp& in, Args& a) {
         needCount(a, 2, 2);
         in.setGlobal(symbol(a[0]), list(a[1]));
         return a[0];
     }},
    // Errors as values: the function's value, or an object holding the error's message;
    // *error* is not called.
    {"VL-CATCH-ALL-APPLY",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 2, 2);
         Value fn = function(a[0]);
         Args args = elements(a[1]);
         struct Catching {
             int& depth;
             ~Catching() { --depth; }
         } catching{++in.catching};
         try {
             return in.apply(fn, args);
         } catch (Error& e) {
             if (in.quitting)
                 throw;  // quit and exit end the program, caught or not
             return caughtError(e.what());
         }
     }},
    // Where *error* runs: the mode pushed last, as Interp::errorModes says.
    {"*PUSH-ERROR-USING-COMMAND*",
     [](Interp& in, Args& a) { needCount(a, 0, 0); in.errorModes.push_back(true); return symT(); }},
    {"*PUSH-ERROR-USING-STACK*",
     [](Interp& in, Args& a) { needCount(a, 0, 0); in.errorModes.push_back(false); return symT(); }},
    {"*POP-ERROR-MODE*",
     [](Interp& in, Args& a) {
         needCount(a, 0, 0);
         if (!in.errorModes.empty())
             in.errorModes.pop_back();
         return symT();
     }},
    {"VL-CATCH-ALL-ERROR-P", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(isCaught(a[0])); }},
    {"VL-CATCH-ALL-ERROR-MESSAGE",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         if (!isCaught(a[0]))
             badType("vl-catch-all-apply-error", a[0]);
         return makeStr(a[0]->s);
     }},
    // One document: its namespace is the global one, and the blackboard a table beside it.
    {"VL-BB-REF",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         auto it = in.blackboard.find(symbol(a[0]));
         return it == in.blackboard.end() ? nullptr : it->second;
     }},
    {"VL-BB-SET",
     [](Interp& in, Args& a) {
         needCount(a, 2, 2);
         if (isNil(a[1]))
             in.blackboard.erase(symbol(a[0]));
         else
             in.blackboard[symbol(a[0])] = a[1];
         return a[1];
     }},
    {"VL-DOC-REF", [](Interp& in, Args& a) { needCount(a, 1, 1); return in.getGlobal(symbol(a[0])); }},
    {"VL-DOC-SET", setSymbol},
};

}  // namespace

Family symbolBuiltins() { return family(kSymbols); }

}  // namespace lisp
