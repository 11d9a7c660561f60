#include "lisp.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "memorycap.h"

namespace lisp {

// Cells a dying cell held are released here, one at a time, instead of by recursion: a
// list a million long, or nested a hundred thousand deep, would overflow the stack.
namespace {
std::vector<Value> dying;
bool releasing = false;

// When there is no memory left to queue it (the host's ceiling reached), the cell is
// released where it stands, by recursion.
void queueDying(Value& v) noexcept
{
    try {
        dying.push_back(std::move(v));
    } catch (const std::bad_alloc&) {
    }
}
}  // namespace

Cell::~Cell()
{
    if (file)
        std::fclose(file);
    if (car && car->type == Type::Cons)
        queueDying(car);
    if (cdr && (cdr->type == Type::Cons || cdr->type == Type::Usubr))
        queueDying(cdr);
    if (releasing)
        return;
    releasing = true;
    while (!dying.empty()) {
        Value v = std::move(dying.back());
        dying.pop_back();
    }
    releasing = false;
}

namespace {

// Cells come and go by the ten thousand when lists cross to a module and back: they are
// taken from free lists of fixed-size chunks, never given back to the heap. A cell counts
// against the host's memory ceiling while it is in use.
template <size_t Size>
struct FreeList {
    static void* head;
    static void* take()
    {
        if (!reserveMemory(Size))
            throw std::bad_alloc();
        if (!head) {
            const size_t count = 1024;
            char* block = static_cast<char*>(std::malloc(Size * count));
            if (!block) {
                releaseMemory(Size);
                throw std::bad_alloc();
            }
            for (size_t k = 0; k < count; ++k)
                put(block + k * Size);
        }
        void* p = head;
        head = *static_cast<void**>(p);
        return p;
    }
    static void give(void* p)
    {
        put(p);
        releaseMemory(Size);
    }
    static void put(void* p)
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

Value makeCell(Type t, std::string name)
{
    auto c = newCell(t);
    c->s = std::move(name);
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
    size_t start = pos_;
    form = readForm();
    formStart_ = start;
    formEnd_ = pos_;
    return true;
}

// Lists are read with a stack of their own, not by recursion, so that any nesting reads.
Value Reader::readForm()
{
    struct Open {
        bool quote;  // 'x: waiting for x
        std::vector<Value> items;
        Value tail;
        int dot = 0;  // 1: a lone dot was read, 2: and the value after it
    };
    std::vector<Open> open;
    for (;;) {
        skipBlank();
        if (pos_ >= text_.size())
            throw Error(kMalformed);
        char ch = text_[pos_];
        Value done;
        bool have = false;
        if (!open.empty() && !open.back().quote) {
            Open& list = open.back();
            if (ch == ')') {
                ++pos_;
                if (list.dot == 1)
                    throw Error(kMalformed);
                done = listFrom(list.items, list.tail);
                have = true;
                open.pop_back();
            } else if (list.dot == 2) {
                ++pos_;
                throw Error(kMalformed);
            } else if (ch == '.' && !list.items.empty() && list.dot == 0 && pos_ + 1 < text_.size() &&
                       isDelimiter(text_[pos_ + 1])) {
                ++pos_;  // a lone dot before the last element makes a dotted pair
                list.dot = 1;
                continue;
            }
        }
        if (!have) {
            if (ch == '\'' || ch == '(') {
                ++pos_;
                open.push_back(Open{ch == '\'', {}, nullptr});
                continue;
            }
            if (ch == ')') {
                ++pos_;
                throw Error(kMalformed);
            }
            done = ch == '"' ? readString() : readAtom();
        }
        for (;;) {
            if (open.empty())
                return done;
            Open& top = open.back();
            if (!top.quote) {
                if (top.dot == 1) {
                    top.tail = done;
                    top.dot = 2;
                } else {
                    top.items.push_back(done);
                }
                break;
            }
            done = cons(makeSym("QUOTE"), cons(done, nullptr));
            open.pop_back();
        }
    }
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

static std::string printAtom(const Value& v, bool quoted)
{
    if (!v)
        return "nil";
    switch (v->type) {
    case Type::Int: return std::to_string(v->i);
    case Type::Real: return formatReal(v->r);
    case Type::Sym: return v->s;
    case Type::Subr: return "#<SUBR " + v->s + ">";
    case Type::Usubr: return "#<USUBR " + v->s + ">";
    case Type::Exrx: return "#<EXRXSUBR " + v->s + ">";
    case Type::File: return "#<file \"" + v->s + "\">";
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
    default: return "";  // void
    }
}

// Lists print with a stack of their own: any length or nesting prints.
static std::string print(const Value& v, bool quoted)
{
    if (!v || v->type != Type::Cons)
        return printAtom(v, quoted);
    std::string out = "(";
    struct Open {
        Value next;  // the cell whose car prints next
        bool first;
    };
    std::vector<Open> open{{v, true}};
    while (!open.empty()) {
        Value p = open.back().next;
        if (!p || p->type != Type::Cons) {
            if (p)
                out += " . " + printAtom(p, quoted);
            out += ')';
            open.pop_back();
            continue;
        }
        if (!open.back().first)
            out += ' ';
        open.back().first = false;
        open.back().next = p->cdr;
        if (p->car && p->car->type == Type::Cons) {
            out += '(';
            open.push_back({p->car, true});
        } else {
            out += isNil(p->car) ? std::string("nil") : printAtom(p->car, quoted);
        }
    }
    return out;
}

std::string prin1(const Value& v) { return print(v, true); }
std::string princ(const Value& v) { return print(v, false); }

// Compared with a stack of pending pairs, not by recursion.
bool equalValues(const Value& a, const Value& b, double fuzz)
{
    std::vector<std::pair<Cell*, Cell*>> pending{{a.get(), b.get()}};
    while (!pending.empty()) {
        Cell* x = pending.back().first;
        Cell* y = pending.back().second;
        pending.pop_back();
        bool nx = !x || x->type == Type::Void, ny = !y || y->type == Type::Void;
        if (nx || ny) {
            if (nx != ny)
                return false;
            continue;
        }
        bool nums = (x->type == Type::Int || x->type == Type::Real) && (y->type == Type::Int || y->type == Type::Real);
        if (nums) {
            double dx = x->type == Type::Int ? x->i : x->r, dy = y->type == Type::Int ? y->i : y->r;
            if (!(dx == dy || std::fabs(dx - dy) <= fuzz))
                return false;
            continue;
        }
        if (x->type != y->type)
            return false;
        if (x->type == Type::Cons) {
            pending.emplace_back(x->cdr.get(), y->cdr.get());
            pending.emplace_back(x->car.get(), y->car.get());
        } else if (x->type == Type::Usubr || x->type == Type::File) {
            if (x != y)
                return false;
        } else if (x->s != y->s) {
            return false;
        }
    }
    return true;
}

// ---- evaluator ----

static const int kMaxDepth = 2000;

Value Interp::getGlobal(const std::string& upperName) const
{
    auto it = globals_.find(upperName);
    return it == globals_.end() ? nullptr : it->second;
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

namespace {

Value evalBody(Interp& in, Value body)
{
    Value result;
    for (; body && body->type == Type::Cons; body = body->cdr)
        result = in.eval(body->car);
    return result;
}

Value nthArg(const Value& rest, int n)
{
    Value p = rest;
    for (int k = 0; k < n && p; ++k)
        p = p->cdr;
    if (!p || p->type != Type::Cons)
        throw Error("too few arguments");
    return p->car;
}

const std::string& symbolArg(const Value& v)
{
    if (!v || v->type != Type::Sym || v->s == "T")
        throw Error("bad argument type: symbolp " + prin1(v));
    return v->s;
}

Value noVoid(Value v) { return v && v->type == Type::Void ? nullptr : v; }

Value makeUsubr(const std::string& name, const Value& params, const Value& body)
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

// The special forms: they get their arguments unevaluated.
using Special = Value (*)(Interp&, const Value& rest);

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
             throw Error("bad argument type: fixnump " + prin1(n));
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

}  // namespace

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
        args.push_back(noVoid(eval(p->car)));  // void counts as nil once it is an argument
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
    if (e.handled || inHandler_)
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

#ifdef _WIN32
static const char* const kSeparator = "\\";
#else
static const char* const kSeparator = "/";
#endif

std::string Interp::findFile(const std::string& name) const
{
    auto readable = [this](const std::string& path) {
        if (isDevice && isDevice(path))
            return false;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (f)
            std::fclose(f);
        return f != nullptr;
    };
    if (name.find_first_of("/\\:") != std::string::npos)
        return readable(name) ? name : std::string();
    std::vector<std::string> dirs{std::filesystem::current_path().string()};
    dirs.insert(dirs.end(), searchPath.begin(), searchPath.end());
    for (const std::string& dir : dirs) {
        std::string path = dir + (dir.back() == '\\' || dir.back() == '/' ? "" : kSeparator) + name;
        if (readable(path))
            return path;
    }
    return std::string();
}

bool Interp::load(const std::string& path, Value& result)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    std::string text;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        text.append(buf, n);
    std::fclose(f);
    Reader reader(text);
    Value form;
    result = nullptr;
    while (reader.next(form))
        result = eval(form);
    return true;
}

}  // namespace lisp
