// The evaluator: symbols, calls, and errors on their way to *error*.
#include "eval.h"

#include <cstdio>

#include "../memorycap.h"

namespace lisp {

static const int kMaxDepth = 2000;

Value Interp::getGlobal(const std::string& upperName) const
{
    auto it = globals_.find(upperName);
    return it == globals_.end() ? nullptr : it->second;
}

void Interp::setGlobal(const std::string& upperName, Value v)
{
    // A function's name set to nil (a local variable called last, say) reads as nil, not as
    // the function; any other name set to nil is unbound.
    if (!isNil(v))
        globals_[upperName] = std::move(v);
    else if (builtins_.count(upperName) || specialForms().count(upperName) ||
             (externalDefined && externalDefined(upperName)))
        globals_[upperName] = nullptr;
    else
        globals_.erase(upperName);
}

void Interp::unsetGlobal(const std::string& upperName) { globals_.erase(upperName); }

bool Interp::hasGlobal(const std::string& upperName) const { return globals_.count(upperName) > 0; }

std::vector<std::string> Interp::atomNames() const
{
    std::vector<std::string> names;
    for (const auto& b : builtins_)
        names.push_back(b.first);
    for (const auto& s : specialForms())
        names.push_back(s.first);
    for (const auto& g : globals_)
        if (!builtins_.count(g.first) && !specialForms().count(g.first))
            names.push_back(g.first);
    return names;
}

void Interp::defineBuiltin(const std::string& upperName, Builtin fn) { builtins_[upperName] = std::move(fn); }

bool isFunction(const Value& v)
{
    if (!v)
        return false;
    if (v->type == Type::Subr || v->type == Type::Usubr || v->type == Type::Exrx)
        return true;
    if (v->type != Type::Cons)
        return false;
    // (lambda (args) body) as a quoted list, and a defun-q function: ((args) body), whose
    // head is a list of symbols; other lists are data.
    if (isSym(v->car, "LAMBDA"))
        return true;
    for (Value p = v->car; p; p = p->cdr)
        if (p->type != Type::Cons || !p->car || p->car->type != Type::Sym)
            return false;
    return true;
}

Value Interp::eval(const Value& form)
{
    if (!form)
        return nullptr;
    if (form->type == Type::Sym) {
        if (form->s == "T")
            return form;
        auto g = globals_.find(form->s);
        if (g != globals_.end())
            return g->second;
        // A function's name evaluates to the function.
        if (builtins_.count(form->s) || specialForms().count(form->s))
            return makeCell(Type::Subr, form->s);
        if (externalDefined && externalDefined(form->s))
            return makeCell(Type::Exrx, form->s);
        return nullptr;
    }
    if (form->type != Type::Cons)
        return form;
    if ((++evaluations_ & 4095) == 0 && idle)
        idle();
    struct DepthGuard {
        int& d;
        explicit DepthGuard(int& depth) : d(depth)
        {
            if (++d > kMaxDepth) {
                --d;
                throw Error("stack overflow");
            }
        }
        ~DepthGuard() { --d; }
    } guard(depth_);

    const Value& head = form->car;
    bool named = head && head->type == Type::Sym;
    if (named) {
        auto s = specialForms().find(head->s);
        if (s != specialForms().end())
            return s->second(*this, form->cdr);
    } else if (!isFunction(head) || (head->type == Type::Cons && !isSym(head->car, "LAMBDA"))) {
        throw Error("bad function: " + prin1(head));
    }
    Args args;
    for (Value p = form->cdr; p && p->type == Type::Cons; p = p->cdr)
        args.push_back(eval(p->car));  // void stays void, as the host's null symbol: (princ (princ)) prints nothing
    return named ? callNamed(head->s, args) : apply(head, args);
}

Value Interp::callNamed(const std::string& name, Args& args)
{
    auto g = globals_.find(name);
    if (g != globals_.end() && isFunction(g->second))
        return apply(g->second, args);
    auto b = builtins_.find(name);
    if (b != builtins_.end())
        return b->second(*this, args);
    Value result;
    if (external && external(name, args, result))
        return result;
    if (g != globals_.end())
        throw Error("bad function: " + prin1(g->second));
    throw Error("no function definition: " + name);
}

Value Interp::apply(const Value& fn, Args& args)
{
    if (fn && fn->type == Type::Sym) {
        auto s = specialForms().find(fn->s);
        if (s == specialForms().end())
            return callNamed(fn->s, args);
        // (apply 'and list): the form with each argument quoted
        std::vector<Value> quoted;
        for (const Value& a : args)
            quoted.push_back(listFrom({makeSym("QUOTE"), a}));
        return s->second(*this, listFrom(quoted));
    }
    if (!isFunction(fn))
        throw Error("bad function: " + prin1(fn));
    switch (fn->type) {
    case Type::Subr: return callNamed(fn->s, args);
    case Type::Exrx: {
        Value result;
        if (external && external(fn->s, args, result))
            return result;
        throw Error("no function definition: " + fn->s);
    }
    case Type::Usubr: return callUser(fn->car, fn->cdr, args);
    default:
        if (isSym(fn->car, "LAMBDA"))
            return callUser(fn->cdr ? fn->cdr->car : nullptr, fn->cdr ? fn->cdr->cdr : nullptr, args);
        return callUser(fn->car, fn->cdr, args);
    }
}

Value Interp::callUser(const Value& params, const Value& body, Args& args)
{
    // (params / locals): dynamic scope, so bind, run, restore.
    Bindings bound(*this);
    size_t paramCount = 0;
    bool local = false;
    for (Value p = params; p && p->type == Type::Cons; p = p->cdr) {
        if (isSym(p->car, "/")) {
            local = true;
            continue;
        }
        bound.save(symbolArg(p->car));
        paramCount += local ? 0 : 1;
    }
    if (args.size() != paramCount)
        throw Error(args.size() < paramCount ? "too few arguments" : "too many arguments");
    for (size_t k = 0; k < bound.size(); ++k)
        setGlobal(bound.name(k), k < paramCount ? args[k] : nullptr);
    return bound.run([&] { return evalBody(*this, body); });
}

void Interp::raiseToHandler(Error& e)
{
    if (e.handled || inHandler_ || catching > 0)
        return;
    e.handled = true;
    Value handler = getGlobal("*ERROR*");
    if (!isFunction(handler)) {
        e.handled = false;
        return;
    }
    inHandler_ = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{inHandler_};
    Args message{makeStr(e.what())};
    apply(handler, message);
}

bool Interp::evalTop(const Value& form, Value& result, std::string& message)
{
    depth_ = 0;
    try {
        MemoryCeiling ceiling(true);  // only while the form runs: the message below gets its memory
        result = eval(form);
        return true;
    } catch (Error& e) {
        message = e.what();
        try {
            raiseToHandler(e);
        } catch (Error& inner) {
            message = inner.what();  // *error* itself failed
            return false;
        }
        if (e.handled || quitting)
            message.clear();
        return false;
    } catch (const std::bad_alloc&) {
        message = "insufficient memory";  // the form is abandoned, the host goes on
        return false;
    }
}

}  // namespace lisp
