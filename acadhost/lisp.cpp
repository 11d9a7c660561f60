#include "lisp.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdlib>

namespace lisp {

namespace {

// Cells come and go by the ten thousand when lists cross to a module and back: they are
// taken from free lists of fixed-size chunks, never given back to the heap.
template <size_t Size>
struct FreeList {
    static void* head;
    static void* take()
    {
        if (!head) {
            const size_t count = 1024;
            char* block = static_cast<char*>(::operator new(Size * count));
            for (size_t k = 0; k < count; ++k)
                give(block + k * Size);
        }
        void* p = head;
        head = *static_cast<void**>(p);
        return p;
    }
    static void give(void* p)
    {
        *static_cast<void**>(p) = head;
        head = p;
    }
};
template <size_t Size>
void* FreeList<Size>::head = nullptr;

template <class T>
struct CellAllocator {
    using value_type = T;
    static constexpr size_t kChunk = (sizeof(T) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) *
                                     alignof(std::max_align_t);
    CellAllocator() = default;
    template <class U>
    CellAllocator(const CellAllocator<U>&) {}
    T* allocate(size_t n)
    {
        return n == 1 ? static_cast<T*>(FreeList<kChunk>::take()) : static_cast<T*>(::operator new(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n)
    {
        if (n == 1)
            FreeList<kChunk>::give(p);
        else
            ::operator delete(p);
    }
    template <class U>
    bool operator==(const CellAllocator<U>&) const { return true; }
    template <class U>
    bool operator!=(const CellAllocator<U>&) const { return false; }
};

Value newCell(Type t) { return std::allocate_shared<Cell>(CellAllocator<Cell>(), t); }

}  // namespace

Value makeInt(int32_t v)
{
    auto c = newCell(Type::Int);
    c->i = v;
    return c;
}

Value makeReal(double v)
{
    auto c = newCell(Type::Real);
    c->r = v;
    return c;
}

Value makeStr(std::string s)
{
    auto c = newCell(Type::Str);
    c->s = std::move(s);
    return c;
}

Value makeSym(const std::string& name)
{
    auto c = newCell(Type::Sym);
    c->s = toUpper(name);
    return c;
}

Value cons(Value car, Value cdr)
{
    auto c = newCell(Type::Cons);
    c->car = std::move(car);
    c->cdr = std::move(cdr);
    return c;
}

Value symT()
{
    static const Value t = makeSym("T");
    return t;
}

Value voidValue()
{
    static const Value v = newCell(Type::Void);
    return v;
}

bool isNil(const Value& v) { return !v || v->type == Type::Void; }
bool isNumber(const Value& v) { return v && (v->type == Type::Int || v->type == Type::Real); }
double toDouble(const Value& v) { return v->type == Type::Int ? v->i : v->r; }
bool isSym(const Value& v, const char* upperName) { return v && v->type == Type::Sym && v->s == upperName; }

std::string toUpper(std::string s)
{
    for (char& ch : s)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

Value listFrom(const std::vector<Value>& items, Value tail)
{
    Value list = std::move(tail);
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        list = cons(*it, list);
    return list;
}

// ---- reader ----

static const char* const kMalformed = "malformed list on input";

static bool isDelimiter(char ch)
{
    return std::isspace(static_cast<unsigned char>(ch)) || ch == '(' || ch == ')' || ch == '\'' || ch == '"' ||
           ch == ';';
}

void Reader::skipBlank()
{
    while (pos_ < text_.size()) {
        char ch = text_[pos_];
        if (ch == ';') {
            while (pos_ < text_.size() && text_[pos_] != '\n')
                ++pos_;
        } else if (std::isspace(static_cast<unsigned char>(ch))) {
            ++pos_;
        } else {
            break;
        }
    }
}

bool Reader::atEnd()
{
    skipBlank();
    return pos_ >= text_.size();
}

bool Reader::next(Value& form)
{
    if (atEnd())
        return false;
    if (text_[pos_] == ')') {
        ++pos_;
        throw Error(kMalformed);
    }
    form = readForm();
    return true;
}

Value Reader::readForm()
{
    skipBlank();
    if (pos_ >= text_.size())
        throw Error(kMalformed);
    char ch = text_[pos_];
    if (ch == '\'') {
        ++pos_;
        return cons(makeSym("QUOTE"), cons(readForm(), nullptr));
    }
    if (ch == '"')
        return readString();
    if (ch == ')') {
        ++pos_;
        throw Error(kMalformed);
    }
    if (ch != '(')
        return readAtom();
    ++pos_;
    std::vector<Value> items;
    Value tail;
    for (;;) {
        skipBlank();
        if (pos_ >= text_.size())
            throw Error(kMalformed);
        if (text_[pos_] == ')') {
            ++pos_;
            break;
        }
        // A lone dot before the last element makes a dotted pair.
        if (text_[pos_] == '.' && !items.empty() && pos_ + 1 < text_.size() && isDelimiter(text_[pos_ + 1])) {
            ++pos_;
            tail = readForm();
            skipBlank();
            if (pos_ >= text_.size() || text_[pos_] != ')')
                throw Error(kMalformed);
            ++pos_;
            break;
        }
        items.push_back(readForm());
    }
    return listFrom(items, tail);
}

Value Reader::readString()
{
    ++pos_;  // opening quote
    std::string s;
    while (pos_ < text_.size() && text_[pos_] != '"') {
        char ch = text_[pos_++];
        if (ch == '\\' && pos_ < text_.size()) {
            char e = text_[pos_++];
            switch (e) {
            case 'n': ch = '\n'; break;
            case 't': ch = '\t'; break;
            case 'r': ch = '\r'; break;
            case 'e': ch = 27; break;
            default:
                if (e >= '0' && e <= '7') {  // octal, up to three digits
                    int v = e - '0';
                    for (int k = 0; k < 2 && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7'; ++k)
                        v = v * 8 + (text_[pos_++] - '0');
                    ch = static_cast<char>(v);
                } else {
                    ch = e;  // \\ and \" and anything else stand for themselves
                }
            }
        }
        s += ch;
    }
    if (pos_ >= text_.size())
        throw Error(kMalformed);
    ++pos_;  // closing quote
    return makeStr(s);
}

Value Reader::readAtom()
{
    size_t start = pos_;
    while (pos_ < text_.size() && !isDelimiter(text_[pos_]))
        ++pos_;
    std::string tok = text_.substr(start, pos_ - start);
    const char* p = tok.c_str();
    size_t digitsFrom = (p[0] == '+' || p[0] == '-') ? 1 : 0;
    bool allDigits = tok.size() > digitsFrom;
    for (size_t k = digitsFrom; k < tok.size(); ++k)
        allDigits = allDigits && std::isdigit(static_cast<unsigned char>(p[k]));
    if (allDigits) {
        errno = 0;
        long long v = std::strtoll(p, nullptr, 10);
        if (errno == 0 && v >= INT32_MIN && v <= INT32_MAX)
            return makeInt(static_cast<int32_t>(v));
        return makeReal(std::strtod(p, nullptr));  // too large for an integer
    }
    bool hasDigit = false;
    for (char ch : tok)
        hasDigit = hasDigit || std::isdigit(static_cast<unsigned char>(ch));
    if (hasDigit) {
        char* end = nullptr;
        double d = std::strtod(p, &end);
        if (end && *end == '\0')
            return makeReal(d);
    }
    if (toUpper(tok) == "NIL")
        return nullptr;
    return makeSym(tok);
}

// ---- printer ----

static std::string formatReal(double r)
{
    if (std::isnan(r))
        return "nan";
    if (std::isinf(r))
        return r < 0 ? "-inf" : "inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", r);
    std::string s = buf;
    if (s.find_first_of(".e") == std::string::npos)
        s += ".0";
    return s;
}

static std::string print(const Value& v, bool quoted)
{
    if (!v)
        return "nil";
    switch (v->type) {
    case Type::Void: return "";
    case Type::Int: return std::to_string(v->i);
    case Type::Real: return formatReal(v->r);
    case Type::Sym: return v->s;
    case Type::Str: {
        if (!quoted)
            return v->s;
        std::string out = "\"";
        for (char ch : v->s) {
            switch (ch) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            default: out += ch;
            }
        }
        return out + "\"";
    }
    case Type::Cons: {
        std::string out = "(";
        Value p = v;
        for (;;) {
            out += isNil(p->car) ? std::string("nil") : print(p->car, quoted);
            p = p->cdr;
            if (!p)
                break;
            if (p->type != Type::Cons) {
                out += " . " + print(p, quoted);
                break;
            }
            out += " ";
        }
        return out + ")";
    }
    }
    return "";
}

std::string prin1(const Value& v) { return print(v, true); }
std::string princ(const Value& v) { return print(v, false); }

// ---- evaluator ----

static const int kMaxDepth = 2000;

Value Interp::getGlobal(const std::string& upperName) const
{
    auto it = globals_.find(upperName);
    return it == globals_.end() ? nullptr : it->second;
}

void Interp::setGlobal(const std::string& upperName, Value v)
{
    if (isNil(v))
        globals_.erase(upperName);
    else
        globals_[upperName] = std::move(v);
}

void Interp::defineBuiltin(const std::string& upperName, Builtin fn) { builtins_[upperName] = std::move(fn); }

Value Interp::evalBody(Value body)
{
    Value result;
    for (; body && body->type == Type::Cons; body = body->cdr)
        result = eval(body->car);
    return result;
}

Value Interp::eval(const Value& form)
{
    if (!form)
        return nullptr;
    if (form->type == Type::Sym) {
        if (form->s == "T")
            return form;
        return getGlobal(form->s);
    }
    if (form->type != Type::Cons)
        return form;
    const Value& head = form->car;
    if (!head || head->type != Type::Sym)
        throw Error("bad function: " + prin1(head));
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

    const std::string& name = head->s;
    bool handled = false;
    Value special = evalSpecial(name, form->cdr, handled);
    if (handled)
        return special;

    Args args;
    for (Value p = form->cdr; p && p->type == Type::Cons; p = p->cdr)
        args.push_back(eval(p->car));
    // Void results count as nil once they are an argument.
    for (Value& a : args)
        if (a && a->type == Type::Void)
            a = nullptr;

    auto b = builtins_.find(name);
    if (b != builtins_.end())
        return b->second(*this, args);
    if (!functions_.empty()) {
        auto f = functions_.find(name);
        if (f != functions_.end())
            return callUser(f->second, args);
    }
    Value result;
    if (external && external(name, args, result))
        return result;
    throw Error("no function definition: " + name);
}

Value Interp::callUser(const UserFunction& f, Args& args)
{
    if (args.size() != f.params.size())
        throw Error(args.size() < f.params.size() ? "too few arguments" : "too many arguments");
    // Dynamic scope: bind, run, restore.
    std::vector<std::pair<std::string, Value>> saved;
    for (const auto& n : f.params)
        saved.emplace_back(n, getGlobal(n));
    for (const auto& n : f.locals)
        saved.emplace_back(n, getGlobal(n));
    for (size_t k = 0; k < f.params.size(); ++k)
        setGlobal(f.params[k], args[k]);
    for (const auto& n : f.locals)
        setGlobal(n, nullptr);
    struct Restore {
        Interp& in;
        std::vector<std::pair<std::string, Value>>& s;
        ~Restore()
        {
            for (auto it = s.rbegin(); it != s.rend(); ++it)
                in.setGlobal(it->first, it->second);
        }
    } restore{*this, saved};
    return evalBody(f.body);
}

static Value nthArg(const Value& rest, int n)
{
    Value p = rest;
    for (int k = 0; k < n && p; ++k)
        p = p->cdr;
    if (!p || p->type != Type::Cons)
        throw Error("too few arguments");
    return p->car;
}

static std::vector<std::string> symbolNames(Value list)
{
    std::vector<std::string> names;
    for (; list && list->type == Type::Cons; list = list->cdr) {
        if (!list->car || list->car->type != Type::Sym)
            throw Error("bad argument type");
        names.push_back(list->car->s);
    }
    return names;
}

Value Interp::evalSpecial(const std::string& name, const Value& rest, bool& handled)
{
    handled = true;
    if (name == "QUOTE")
        return nthArg(rest, 0);
    if (name == "SETQ") {
        Value result;
        for (Value p = rest; p && p->type == Type::Cons; p = p->cdr ? p->cdr->cdr : nullptr) {
            if (!p->car || p->car->type != Type::Sym || p->car->s == "T")
                throw Error("bad argument type");
            if (!p->cdr)
                throw Error("too few arguments");
            result = eval(p->cdr->car);
            if (result && result->type == Type::Void)
                result = nullptr;
            setGlobal(p->car->s, result);
        }
        return result;
    }
    if (name == "PROGN")
        return evalBody(rest);
    if (name == "IF") {
        if (!isNil(eval(nthArg(rest, 0))))
            return eval(nthArg(rest, 1));
        Value elseForm = rest && rest->cdr ? rest->cdr->cdr : nullptr;
        return elseForm ? eval(elseForm->car) : nullptr;
    }
    if (name == "COND") {
        for (Value p = rest; p && p->type == Type::Cons; p = p->cdr) {
            Value clause = p->car;
            if (!clause || clause->type != Type::Cons)
                throw Error("bad argument type");
            Value test = eval(clause->car);
            if (!isNil(test))
                return clause->cdr ? evalBody(clause->cdr) : test;
        }
        return nullptr;
    }
    if (name == "WHILE") {
        Value result;
        while (!isNil(eval(nthArg(rest, 0))))
            result = evalBody(rest->cdr);
        return result;
    }
    if (name == "REPEAT") {
        Value n = eval(nthArg(rest, 0));
        if (!n || n->type != Type::Int)
            throw Error("bad argument type");
        Value result;
        for (int32_t k = 0; k < n->i; ++k)
            result = evalBody(rest->cdr);
        return result;
    }
    if (name == "FOREACH") {
        Value var = nthArg(rest, 0);
        if (!var || var->type != Type::Sym)
            throw Error("bad argument type");
        Value list = eval(nthArg(rest, 1));
        Value saved = getGlobal(var->s);
        Value result;
        for (; list && list->type == Type::Cons; list = list->cdr) {
            setGlobal(var->s, list->car);
            result = evalBody(rest->cdr->cdr);
        }
        setGlobal(var->s, saved);
        return result;
    }
    if (name == "AND") {
        for (Value p = rest; p && p->type == Type::Cons; p = p->cdr)
            if (isNil(eval(p->car)))
                return nullptr;
        return symT();
    }
    if (name == "OR") {
        for (Value p = rest; p && p->type == Type::Cons; p = p->cdr)
            if (!isNil(eval(p->car)))
                return symT();
        return nullptr;
    }
    if (name == "DEFUN") {
        // (defun NAME (params / locals) body...)
        Value fname = nthArg(rest, 0);
        if (!fname || fname->type != Type::Sym)
            throw Error("bad argument type");
        UserFunction f;
        bool afterSlash = false;
        for (const std::string& n : symbolNames(nthArg(rest, 1))) {
            if (n == "/")
                afterSlash = true;
            else
                (afterSlash ? f.locals : f.params).push_back(n);
        }
        f.body = rest->cdr->cdr;
        functions_[fname->s] = f;
        return fname;
    }
    handled = false;
    return nullptr;
}

}  // namespace lisp
