// What the evaluator and the special forms share. Private to the interpreter.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "../lisp.h"

namespace lisp {

inline Value evalBody(Interp& in, Value body)
{
    Value result;
    for (; body && body->type == Type::Cons; body = body->cdr)
        result = in.eval(body->car);
    return result;
}

inline Value nthArg(const Value& rest, int n)
{
    Value p = rest;
    for (int k = 0; k < n && p; ++k)
        p = p->cdr;
    if (!p || p->type != Type::Cons)
        throw Error("too few arguments");
    return p->car;
}

inline const std::string& symbolArg(const Value& v)
{
    if (!v || v->type != Type::Sym || v->s == "T")
        throw Error("bad argument type: symbolp " + prin1(v));
    return v->s;
}

inline Value noVoid(Value v) { return v && v->type == Type::Void ? nullptr : v; }

inline Value makeUsubr(const std::string& name, const Value& params, const Value& body)
{
    Value f = makeCell(Type::Usubr, name);
    f->car = params;
    f->cdr = body;
    return f;
}

// Variables bound by a function's call or by foreach (dynamic scope): their values before
// are put back when the binding ends, however it ends. An error that passes through calls
// *error* first, so that it sees the variables as they were where the error happened.
class Bindings {
public:
    explicit Bindings(Interp& in) : in_(in) {}
    Bindings(const Bindings&) = delete;
    Bindings& operator=(const Bindings&) = delete;
    ~Bindings()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->bound)
                in_.setGlobal(it->name, it->value);
            else
                in_.unsetGlobal(it->name);
        }
    }
    void save(const std::string& name) { saved_.push_back({name, in_.hasGlobal(name), in_.getGlobal(name)}); }
    size_t size() const { return saved_.size(); }
    const std::string& name(size_t k) const { return saved_[k].name; }
    template <class Body>
    Value run(Body body)
    {
        try {
            return body();
        } catch (Error& e) {
            if (!in_.errorAfterUnwind())
                in_.raiseToHandler(e);
            throw;
        }
    }

private:
    Interp& in_;
    struct Saved {
        std::string name;
        bool bound;  // unbound names are unbound again
        Value value;
    };
    std::vector<Saved> saved_;
};

using Special = Value (*)(Interp&, const Value& rest);
const std::unordered_map<std::string, Special>& specialForms();

}  // namespace lisp
