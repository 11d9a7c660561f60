// The special forms: they get their arguments unevaluated.
#include "eval.h"

namespace lisp {

namespace {

struct SpecialForm {
    const char* name;
    Special fn;
};

const SpecialForm kSpecialForms[] = {
    {"QUOTE", [](Interp&, const Value& rest) { return nthArg(rest, 0); }},
    {"FUNCTION",  // (function (lambda ...)) makes the function; (function name) is the name
     [](Interp& in, const Value& rest) {
         Value f = nthArg(rest, 0);
         return f && f->type == Type::Cons && isSym(f->car, "LAMBDA") ? in.eval(f) : f;
     }},
    {"LAMBDA", [](Interp&, const Value& rest) { return makeUsubr("-lambda-", nthArg(rest, 0), rest->cdr); }},
    {"SETQ",
     [](Interp& in, const Value& rest) {
         Value result;
         for (Value p = rest; p && p->type == Type::Cons; p = p->cdr ? p->cdr->cdr : nullptr) {
             const std::string& name = symbolArg(p->car);
             if (!p->cdr)
                 throw Error("too few arguments");
             result = noVoid(in.eval(p->cdr->car));
             in.setGlobal(name, result);
         }
         return result;
     }},
    {"PROGN", [](Interp& in, const Value& rest) { return evalBody(in, rest); }},
    {"IF",
     [](Interp& in, const Value& rest) -> Value {
         if (!isNil(in.eval(nthArg(rest, 0))))
             return in.eval(nthArg(rest, 1));
         Value elseForm = rest && rest->cdr ? rest->cdr->cdr : nullptr;
         return elseForm ? in.eval(elseForm->car) : nullptr;
     }},
    {"COND",
     [](Interp& in, const Value& rest) -> Value {
         for (Value p = rest; p && p->type == Type::Cons; p = p->cdr) {
             Value clause = p->car;
             if (!clause || clause->type != Type::Cons)
                 throw Error("bad argument type: listp " + prin1(clause));
             Value test = in.eval(clause->car);
             if (!isNil(test))
                 return clause->cdr ? evalBody(in, clause->cdr) : test;
         }
         return nullptr;
     }},
    {"WHILE",
     [](Interp& in, const Value& rest) {
         Value result;
         while (!isNil(in.eval(nthArg(rest, 0))))
             result = evalBody(in, rest->cdr);
         return result;
     }},
    {"REPEAT",
     [](Interp& in, const Value& rest) {
         Value n = in.eval(nthArg(rest, 0));
         if (!n || n->type != Type::Int)
             throw Error("bad argument type: fixnump: " + prin1(n));
         Value result;
         for (int32_t k = 0; k < n->i; ++k)
             result = evalBody(in, rest->cdr);
         return result;
     }},
    {"FOREACH",  // its variable is bound as a function's parameter is, and given back
     [](Interp& in, const Value& rest) {
         const std::string& var = symbolArg(nthArg(rest, 0));
         Value list = in.eval(nthArg(rest, 1));
         if (list && list->type != Type::Cons)
             throw Error("bad argument type: listp " + prin1(list));
         Bindings bound(in);
         bound.save(var);
         return bound.run([&] {
             Value result;
             for (; list && list->type == Type::Cons; list = list->cdr) {
                 in.setGlobal(var, list->car);
                 result = evalBody(in, rest->cdr->cdr);
             }
             return result;
         });
     }},
    {"AND",
     [](Interp& in, const Value& rest) -> Value {
         for (Value p = rest; p && p->type == Type::Cons; p = p->cdr)
             if (isNil(in.eval(p->car)))
                 return nullptr;
         return symT();
     }},
    {"OR",
     [](Interp& in, const Value& rest) -> Value {
         for (Value p = rest; p && p->type == Type::Cons; p = p->cdr)
             if (!isNil(in.eval(p->car)))
                 return symT();
         return nullptr;
     }},
    {"DEFUN",  // (defun NAME (params / locals) body...)
     [](Interp& in, const Value& rest) {
         const std::string& name = symbolArg(nthArg(rest, 0));
         in.setGlobal(name, makeUsubr(name, nthArg(rest, 1), rest->cdr->cdr));
         return rest->car;
     }},
    {"DEFUN-Q",  // the function is the list ((params / locals) body...)
     [](Interp& in, const Value& rest) {
         const std::string& name = symbolArg(nthArg(rest, 0));
         in.setGlobal(name, cons(nthArg(rest, 1), rest->cdr->cdr));
         return rest->car;
     }},
};

}  // namespace

const std::unordered_map<std::string, Special>& specialForms()
{
    static const std::unordered_map<std::string, Special> table = [] {
        std::unordered_map<std::string, Special> t;
        for (const SpecialForm& f : kSpecialForms)
            t[f.name] = f.fn;
        return t;
    }();
    return table;
}


}  // namespace lisp
