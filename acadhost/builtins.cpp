// The language's own functions, one table of {name, function} rows. The host adds getvar,
// setvar, command, alert and its own. Argument checks go through the helpers at the top,
// which own the messages.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "lisp.h"

namespace lisp {

void needCount(const Args& a, size_t least, size_t most)
{
    if (a.size() < least)
        throw Error("too few arguments");
    if (a.size() > most)
        throw Error("too many arguments");
}

namespace {

// ---- argument checks ----

[[noreturn]] void badType(const char* want, const Value& v)
{
    throw Error(std::string("bad argument type: ") + want + " " + prin1(v));
}

[[noreturn]] void badValue(const Value& v) { throw Error("bad argument value: " + prin1(v)); }

const std::string& str(const Value& v)
{
    if (!v || v->type != Type::Str)
        badType("stringp", v);
    return v->s;
}

int32_t integer(const Value& v)
{
    if (!v || v->type != Type::Int)
        badType("fixnump", v);
    return v->i;
}

double number(const Value& v)
{
    if (!isNumber(v))
        badType("numberp", v);
    return toDouble(v);
}

Value list(const Value& v)
{
    if (v && v->type != Type::Cons)
        badType("listp", v);
    return v;
}

const std::string& symbol(const Value& v)
{
    if (!v || v->type != Type::Sym)
        badType("symbolp", v);
    return v->s;
}

Value function(const Value& v)
{
    if (!isFunction(v) && !(v && v->type == Type::Sym))
        badType("functionp", v);
    return v;
}

Cell* openFile(const Value& v)
{
    if (!v || v->type != Type::File || !v->file)
        badType("streamp", v);
    return v.get();
}

// The file argument at index k, or null for the command line.
std::FILE* fileAt(const Args& a, size_t k) { return a.size() > k ? openFile(a[k])->file : nullptr; }

Value boolean(bool b) { return b ? symT() : nullptr; }
Value noVoidValue(Value v) { return v && v->type == Type::Void ? nullptr : v; }
Value car(const Value& v) { return list(v) ? v->car : nullptr; }
Value cdr(const Value& v) { return list(v) ? v->cdr : nullptr; }
bool truthy(Interp& in, const Value& fn, Args args) { return !isNil(in.apply(fn, args)); }

// Every element of a list, checked to be one.
std::vector<Value> elements(const Value& l)
{
    std::vector<Value> out;
    for (Value p = list(l); p && p->type == Type::Cons; p = p->cdr)
        out.push_back(p->car);
    return out;
}

void output(Interp& in, std::FILE* f, const std::string& text)
{
    if (f)
        std::fputs(text.c_str(), f);
    else
        in.write(text);
}

// princ, prin1 and print: the value as text, to the command line or a file.
Value printTo(Interp& in, Args& a, std::string (*text)(const Value&), const char* before, const char* after = "")
{
    needCount(a, 0, 2);
    if (a.empty())
        return voidValue();  // prints nothing: the idiom that ends a program quietly
    output(in, fileAt(a, 1), before + text(a[0]) + after);
    return a[0];
}

// ---- numbers ----

// Arithmetic stays integer while every operand is, as in the host's LISP.
Value arith(const Args& a, char op)
{
    if (a.empty())
        return makeInt(0);
    bool real = false;
    for (const Value& v : a) {
        number(v);
        real = real || v->type == Type::Real;
    }
    if (a.size() == 1 && op == '-')
        return real ? makeReal(-toDouble(a[0])) : makeInt(static_cast<int32_t>(0u - static_cast<uint32_t>(a[0]->i)));
    if (real) {
        double acc = toDouble(a[0]);
        for (size_t k = 1; k < a.size(); ++k) {
            double x = toDouble(a[k]);
            if (op == '/' && x == 0)
                throw Error("divide by zero");
            acc = op == '+' ? acc + x : op == '-' ? acc - x : op == '*' ? acc * x : acc / x;
        }
        return makeReal(acc);
    }
    uint32_t acc = static_cast<uint32_t>(a[0]->i);  // wraps like 32-bit integers do
    for (size_t k = 1; k < a.size(); ++k) {
        int32_t x = a[k]->i;
        if (op == '/') {
            if (x == 0)
                throw Error("divide by zero");
            acc = (x == -1) ? 0u - acc : static_cast<uint32_t>(static_cast<int32_t>(acc) / x);
        } else {
            uint32_t ux = static_cast<uint32_t>(x);
            acc = op == '+' ? acc + ux : op == '-' ? acc - ux : acc * ux;
        }
    }
    return makeInt(static_cast<int32_t>(acc));
}

// Chained comparison of numbers, or of strings.
Value compare(const Args& a, bool (*ok)(int))
{
    needCount(a, 1, SIZE_MAX);
    for (size_t k = 0; k + 1 < a.size(); ++k) {
        int c;
        if (isNumber(a[k]) && isNumber(a[k + 1])) {
            double x = toDouble(a[k]), y = toDouble(a[k + 1]);
            c = x < y ? -1 : x > y ? 1 : 0;
        } else {
            c = str(a[k]).compare(str(a[k + 1]));
        }
        if (!ok(c))
            return nullptr;
    }
    return symT();
}

// A real function of one argument, undefined outside its domain.
Value real1(const Args& a, double (*fn)(double), bool (*defined)(double))
{
    needCount(a, 1, 1);
    double x = number(a[0]);
    if (!defined(x))
        throw Error("function undefined for argument: " + prin1(a[0]));
    return makeReal(fn(x));
}

Value extreme(const Args& a, bool wantMax)
{
    if (a.empty())
        return makeInt(0);
    size_t best = 0;
    bool real = false;
    for (size_t k = 0; k < a.size(); ++k) {
        real = real || a[k]->type == Type::Real;
        if (wantMax ? number(a[k]) > toDouble(a[best]) : number(a[k]) < toDouble(a[best]))
            best = k;
    }
    return real ? makeReal(toDouble(a[best])) : a[best];
}

Value bitwise(const Args& a, int op)  // op as boole's: bits 8 4 2 1 for (0,0) (0,1) (1,0) (1,1)
{
    uint32_t acc = a.empty() ? 0 : static_cast<uint32_t>(integer(a[0]));
    for (size_t k = 1; k < a.size(); ++k) {
        uint32_t x = static_cast<uint32_t>(integer(a[k])), r = 0;
        for (int bit = 0; bit < 32; ++bit) {
            int row = static_cast<int>(((acc >> bit) & 1) * 2 + ((x >> bit) & 1));
            r |= static_cast<uint32_t>((op >> (3 - row)) & 1) << bit;
        }
        acc = r;
    }
    return makeInt(static_cast<int32_t>(acc));
}

// ---- text ----

std::string rtos(double v, int mode, int prec)
{
    char buf[512];
    double a = std::fabs(v);
    const char* sign = v < 0 ? "-" : "";
    auto fraction = [&](double x) {  // whole and nearest 1/2^prec, reduced
        long den = 1L << prec, whole = static_cast<long>(x), num = std::lround((x - whole) * den);
        if (num == den)
            ++whole, num = 0;
        while (num && num % 2 == 0)
            num /= 2, den /= 2;
        std::string w = std::to_string(whole);
        return num == 0 ? w : (whole ? w + " " : "") + std::to_string(num) + "/" + std::to_string(den);
    };
    switch (mode) {
    case 1: std::snprintf(buf, sizeof buf, "%.*E", prec, v); return buf;
    case 3: {
        long feet = static_cast<long>(a / 12);
        std::snprintf(buf, sizeof buf, "%s%ld'-%.*f\"", sign, feet, prec, a - feet * 12.0);
        return buf;
    }
    case 4: {
        long feet = static_cast<long>(a / 12);
        return sign + std::to_string(feet) + "'-" + fraction(a - feet * 12.0) + "\"";
    }
    case 5: return sign + fraction(a);
    default: std::snprintf(buf, sizeof buf, "%.*f", prec, v); return buf;
    }
}

// A distance in any of rtos's forms: 15.5, 1.55E+01, 1'-3 1/2", 15 1/2, 3/4.
bool distance(const std::string& text, double& out)
{
    const char* p = text.c_str();
    auto skip = [&] {
        while (*p == ' ')
            ++p;
    };
    auto amount = [&](double& v) {  // a number, a fraction, or a whole and a fraction
        char* end;
        v = std::strtod(p, &end);
        if (end == p)
            return false;
        p = end;
        if (*p == '/' || (*p == ' ' && std::strchr(p + 1, '/'))) {
            double whole = 0;
            if (*p == ' ') {
                whole = v;
                v = std::strtod(p + 1, &end);
                if (*end != '/')
                    return false;
                p = end;
            }
            double den = std::strtod(p + 1, &end);
            if (end == p + 1 || den == 0)
                return false;
            p = end;
            v = whole + v / den;
        }
        return true;
    };
    skip();
    bool negative = *p == '-';
    if (negative)
        ++p;
    double v = 0, inches = 0;
    if (!amount(v))
        return false;
    if (*p == '\'') {
        ++p;
        if (*p == '-')
            ++p;
        skip();
        if (*p && (!amount(inches) || *p++ != '"'))
            return false;
        v = v * 12 + inches;
    } else if (*p == '"') {
        ++p;
    }
    skip();
    out = negative ? -v : v;
    return *p == '\0';
}

// wcmatch: one pattern of a comma list; ~ first negates it.
bool wildMatch(const std::string& s, const std::string& pat)
{
    size_t si = 0, pi = 0, starP = std::string::npos, starS = 0;
    auto one = [&](size_t& k, char ch) {  // matches ch against the element at k, moves k past it
        char p = pat[k++];
        switch (p) {
        case '#': return std::isdigit(static_cast<unsigned char>(ch)) != 0;
        case '@': return std::isalpha(static_cast<unsigned char>(ch)) != 0;
        case '.': return !std::isalnum(static_cast<unsigned char>(ch));
        case '?': return true;
        case '`': return k < pat.size() ? pat[k++] == ch : ch == '`';
        case '[': {
            bool negate = k < pat.size() && pat[k] == '~', found = false;
            k += negate;
            size_t first = k;
            while (k < pat.size() && (pat[k] != ']' || k == first)) {
                if (k + 2 < pat.size() && pat[k + 1] == '-' && pat[k + 2] != ']') {
                    found = found || (ch >= pat[k] && ch <= pat[k + 2]);
                    k += 3;
                } else {
                    found = pat[k++] == ch || found;
                }
            }
            ++k;
            return found != negate;
        }
        default: return p == ch;
        }
    };
    while (si < s.size()) {
        size_t k = pi;
        if (pi < pat.size() && pat[pi] == '*') {
            starP = ++pi;
            starS = si;
        } else if (pi < pat.size() && one(k, s[si])) {
            pi = k;
            ++si;
        } else if (starP != std::string::npos) {
            pi = starP;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < pat.size() && pat[pi] == '*')
        ++pi;
    return pi == pat.size();
}

bool wcmatch(const std::string& s, const std::string& patterns)
{
    size_t from = 0;
    for (size_t k = 0; k <= patterns.size(); ++k) {
        if (k < patterns.size() && patterns[k] == '`') {
            ++k;
            continue;
        }
        if (k < patterns.size() && patterns[k] != ',')
            continue;
        std::string p = patterns.substr(from, k - from);
        bool negate = !p.empty() && p[0] == '~';
        if (wildMatch(s, negate ? p.substr(1) : p) != negate)
            return true;
        from = k + 1;
    }
    return false;
}

size_t nameStart(const std::string& path)
{
    size_t k = path.find_last_of("/\\:");
    return k == std::string::npos ? 0 : k + 1;
}

size_t extensionStart(const std::string& path)
{
    size_t dot = path.rfind('.');
    return dot == std::string::npos || dot < nameStart(path) ? std::string::npos : dot;
}

Value trim(const Args& a, bool left, bool right)
{
    needCount(a, 2, 2);
    const std::string &set = str(a[0]), &s = str(a[1]);
    size_t from = left ? s.find_first_not_of(set) : 0;
    if (from == std::string::npos)
        return makeStr("");
    size_t to = right ? s.find_last_not_of(set) + 1 : s.size();
    return makeStr(s.substr(from, to - from));
}

// ---- the command line ----

// A line typed at the prompt; false at the end of input.
bool ask(Interp& in, const Args& a, size_t msgAt, std::string& line)
{
    if (a.size() > msgAt)
        in.write(str(a[msgAt]));
    bool got = in.readLine(line);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return got;
}

// The keyword of initget's list that the answer names (its capitals, or more), or "".
std::string keywordOf(const std::string& keywords, const std::string& answer)
{
    size_t from = 0;
    while (from < keywords.size() && !answer.empty()) {
        size_t to = keywords.find(' ', from);
        std::string k = keywords.substr(from, to == std::string::npos ? std::string::npos : to - from);
        from = to == std::string::npos ? keywords.size() : to + 1;
        size_t need = 0;
        for (size_t c = 0; c < k.size(); ++c)
            if (std::isupper(static_cast<unsigned char>(k[c])))
                need = c + 1;
        if (answer.size() <= k.size() && answer.size() >= (need ? need : k.size()) &&
            toUpper(k.substr(0, answer.size())) == toUpper(answer))
            return k;
    }
    return "";
}

// getint, getreal and getkword: asks until the answer is one initget allows.
Value getInput(Interp& in, Args& a, char kind)
{
    needCount(a, 0, 1);
    int bits = in.inputBits;
    std::string keywords = in.keywords, line;
    in.inputBits = 0;
    in.keywords.clear();
    if (kind == 'k' && keywords.empty())
        return nullptr;
    for (;;) {
        if (!ask(in, a, 0, line))
            return nullptr;
        if (line.empty() && !(bits & 1))
            return nullptr;
        std::string k = keywordOf(keywords, line);
        if (!k.empty())
            return makeStr(k);
        char* end = nullptr;
        double v = kind == 'k' || line.empty() ? 0 : std::strtod(line.c_str(), &end);
        bool ok = end && end != line.c_str() && *end == '\0';
        const char* problem = nullptr;
        if (kind == 'k')
            problem = "Invalid option keyword.";
        else if (kind == 'i' && (!ok || v != std::floor(v) || v < -32768 || v > 32767))
            problem = "Requires an integer value.";
        else if (!ok)
            problem = "Requires numeric value.";
        else if ((bits & 2) && v == 0)
            problem = "Value must be nonzero.";
        else if ((bits & 4) && v < 0)
            problem = "Value must be positive.";
        if (!problem)
            return kind == 'i' ? makeInt(static_cast<int32_t>(v)) : makeReal(v);
        in.write(std::string(problem) + "\n");
    }
}

// A copy of the list sorted by a LISP comparison: a merge sort, safe with any comparison.
void mergeSort(Interp& in, const Value& less, std::vector<Value>& v, std::vector<Value>& tmp, size_t lo, size_t hi)
{
    if (hi - lo < 2)
        return;
    size_t mid = lo + (hi - lo) / 2;
    mergeSort(in, less, v, tmp, lo, mid);
    mergeSort(in, less, v, tmp, mid, hi);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi)
        tmp[k++] = truthy(in, less, {v[j], v[i]}) ? v[j++] : v[i++];
    while (i < mid)
        tmp[k++] = v[i++];
    while (j < hi)
        tmp[k++] = v[j++];
    std::copy(tmp.begin() + static_cast<long>(lo), tmp.begin() + static_cast<long>(hi), v.begin() + static_cast<long>(lo));
}

// The elements for which the predicate is (keep) or is not true.
Value filter(Interp& in, Args& a, bool keep)
{
    needCount(a, 2, 2);
    std::vector<Value> kept;
    for (const Value& v : elements(a[1]))
        if (truthy(in, function(a[0]), {v}) == keep)
            kept.push_back(v);
    return listFrom(kept);
}

// mapcar's argument lists taken a column at a time, up to the shortest.
template <class Each>
void columns(Args& a, size_t from, Each each)
{
    std::vector<Value> rest(a.begin() + static_cast<long>(from), a.end());
    for (Value& l : rest)
        list(l);
    for (;;) {
        Args column;
        for (Value& l : rest) {
            if (!l || l->type != Type::Cons)
                return;
            column.push_back(l->car);
            l = l->cdr;
        }
        if (!each(column))
            return;
    }
}

using Fn = Value (*)(Interp&, Args&);
struct Reg {
    const char* name;
    Fn fn;
};

const Reg kBuiltins[] = {
    // lists
    {"LIST", [](Interp&, Args& a) { return listFrom(a); }},
    {"CONS", [](Interp&, Args& a) { needCount(a, 2, 2); return cons(a[0], a[1]); }},
    {"CAR", [](Interp&, Args& a) { needCount(a, 1, 1); return car(a[0]); }},
    {"CDR", [](Interp&, Args& a) { needCount(a, 1, 1); return cdr(a[0]); }},
    {"NTH",
     [](Interp&, Args& a) -> Value {
         needCount(a, 2, 2);
         Value p = list(a[1]);
         for (int32_t k = integer(a[0]); k > 0 && p; --k)
             p = cdr(p);
         return integer(a[0]) < 0 ? nullptr : car(p);
     }},
    {"LAST",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         Value p = list(a[0]);
         while (p && p->cdr && p->cdr->type == Type::Cons)
             p = p->cdr;
         return car(p);
     }},
    {"LENGTH", [](Interp&, Args& a) { needCount(a, 1, 1); return makeInt(static_cast<int32_t>(elements(a[0]).size())); }},
    {"REVERSE",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         Value out;
         for (Value p = list(a[0]); p && p->type == Type::Cons; p = p->cdr)
             out = cons(p->car, out);
         return out;
     }},
    {"APPEND",
     [](Interp&, Args& a) {
         std::vector<Value> items;
         for (const Value& l : a)
             for (Value p = list(l); p && p->type == Type::Cons; p = p->cdr)
                 items.push_back(p->car);
         return listFrom(items);
     }},
    {"ASSOC",
     [](Interp&, Args& a) -> Value {
         needCount(a, 2, 2);
         for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr)
             if (p->car && p->car->type == Type::Cons && equalValues(p->car->car, a[0]))
                 return p->car;
         return nullptr;
     }},
    {"MEMBER",
     [](Interp&, Args& a) -> Value {
         needCount(a, 2, 2);
         for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr)
             if (equalValues(p->car, a[0]))
                 return p;
         return nullptr;
     }},
    {"SUBST",  // every element of the list equal to OLD, at the top level
     [](Interp&, Args& a) {
         needCount(a, 3, 3);
         std::vector<Value> items = elements(a[2]);
         for (Value& v : items)
             if (equalValues(v, a[1]))
                 v = a[0];
         return listFrom(items);
     }},
    {"VL-POSITION",
     [](Interp&, Args& a) -> Value {
         needCount(a, 2, 2);
         int32_t k = 0;
         for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr, ++k)
             if (equalValues(p->car, a[0]))
                 return makeInt(k);
         return nullptr;
     }},
    {"VL-REMOVE",
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         std::vector<Value> kept;
         for (const Value& v : elements(a[1]))
             if (!equalValues(v, a[0]))
                 kept.push_back(v);
         return listFrom(kept);
     }},
    {"VL-CONSP", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(a[0] && a[0]->type == Type::Cons); }},
    // functions of functions
    {"MAPCAR",
     [](Interp& in, Args& a) {
         needCount(a, 2, SIZE_MAX);
         Value fn = function(a[0]);
         std::vector<Value> out;
         columns(a, 1, [&](Args& column) {
             out.push_back(noVoidValue(in.apply(fn, column)));
             return true;
         });
         return listFrom(out);
     }},
    {"APPLY",
     [](Interp& in, Args& a) {
         needCount(a, 2, 2);
         Args args = elements(a[1]);
         return in.apply(function(a[0]), args);
     }},
    {"EVAL", [](Interp& in, Args& a) { needCount(a, 1, 1); return in.eval(a[0]); }},
    {"READ",
     [](Interp&, Args& a) -> Value {
         needCount(a, 0, 1);
         Value form;
         if (a.empty())
             return nullptr;
         Reader r(str(a[0]));
         return r.next(form) ? form : nullptr;
     }},
    {"VL-SORT",  // equal integers and symbols come out once, as the host's do
     [](Interp& in, Args& a) {
         needCount(a, 2, 2);
         std::vector<Value> v = elements(a[0]), tmp(v.size()), out;
         mergeSort(in, function(a[1]), v, tmp, 0, v.size());
         for (const Value& x : v) {
             bool again = !out.empty() && x && out.back() && x->type == out.back()->type &&
                          ((x->type == Type::Int && x->i == out.back()->i) ||
                           (x->type == Type::Sym && x->s == out.back()->s));
             if (!again)
                 out.push_back(x);
         }
         return listFrom(out);
     }},
    {"VL-REMOVE-IF", [](Interp& in, Args& a) { return filter(in, a, false); }},
    {"VL-REMOVE-IF-NOT", [](Interp& in, Args& a) { return filter(in, a, true); }},
    {"VL-MEMBER-IF",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 2, 2);
         for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr)
             if (truthy(in, function(a[0]), {p->car}))
                 return p;
         return nullptr;
     }},
    {"VL-EVERY",
     [](Interp& in, Args& a) {
         needCount(a, 2, SIZE_MAX);
         bool all = true;
         columns(a, 1, [&](Args& column) { return all = !isNil(in.apply(function(a[0]), column)); });
         return boolean(all);
     }},
    {"VL-SOME",
     [](Interp& in, Args& a) {
         needCount(a, 2, SIZE_MAX);
         Value found;
         columns(a, 1, [&](Args& column) {
             found = noVoidValue(in.apply(function(a[0]), column));
             return isNil(found);
         });
         return found;
     }},
    // predicates
    {"ATOM", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(!a[0] || a[0]->type != Type::Cons); }},
    {"LISTP", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(!a[0] || a[0]->type == Type::Cons); }},
    {"NOT", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(isNil(a[0])); }},
    {"NULL", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(isNil(a[0])); }},
    {"NUMBERP", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(isNumber(a[0])); }},
    {"ZEROP", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(number(a[0]) == 0); }},
    {"MINUSP", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(number(a[0]) < 0); }},
    {"BOUNDP", [](Interp& in, Args& a) { needCount(a, 1, 1); symbol(a[0]); return boolean(!isNil(in.eval(a[0]))); }},
    {"EQUAL",
     [](Interp&, Args& a) {
         needCount(a, 2, 3);
         return boolean(equalValues(a[0], a[1], a.size() == 3 ? number(a[2]) : 0));
     }},
    {"EQ",  // the same object; atoms by value
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         bool atoms = !a[0] || !a[1] || a[0]->type != Type::Cons || a[1]->type != Type::Cons;
         return boolean(atoms ? equalValues(a[0], a[1]) : a[0] == a[1]);
     }},
    // numbers
    {"=", [](Interp&, Args& a) { return compare(a, [](int c) { return c == 0; }); }},
    {"/=", [](Interp&, Args& a) { return compare(a, [](int c) { return c != 0; }); }},
    {"<", [](Interp&, Args& a) { return compare(a, [](int c) { return c < 0; }); }},
    {">", [](Interp&, Args& a) { return compare(a, [](int c) { return c > 0; }); }},
    {"<=", [](Interp&, Args& a) { return compare(a, [](int c) { return c <= 0; }); }},
    {">=", [](Interp&, Args& a) { return compare(a, [](int c) { return c >= 0; }); }},
    {"+", [](Interp&, Args& a) { return arith(a, '+'); }},
    {"-", [](Interp&, Args& a) { return arith(a, '-'); }},
    {"*", [](Interp&, Args& a) { return arith(a, '*'); }},
    {"/", [](Interp&, Args& a) { return arith(a, '/'); }},
    {"1+", [](Interp&, Args& a) { needCount(a, 1, 1); return arith({a[0], makeInt(1)}, '+'); }},
    {"1-", [](Interp&, Args& a) { needCount(a, 1, 1); return arith({a[0], makeInt(1)}, '-'); }},
    {"REM",
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         if (a[0] && a[1] && a[0]->type == Type::Int && a[1]->type == Type::Int) {
             if (a[1]->i == 0)
                 throw Error("divide by zero");
             return makeInt(a[1]->i == -1 ? 0 : a[0]->i % a[1]->i);
         }
         double y = number(a[1]);
         if (y == 0)
             throw Error("divide by zero");
         return makeReal(std::fmod(number(a[0]), y));
     }},
    {"ABS",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         return number(a[0]) >= 0 ? a[0] : arith({a[0]}, '-');
     }},
    {"MIN", [](Interp&, Args& a) { return extreme(a, false); }},
    {"MAX", [](Interp&, Args& a) { return extreme(a, true); }},
    {"FIX",  // toward zero; a real still when no 32-bit integer holds it
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         double t = std::trunc(number(a[0]));
         return t >= INT32_MIN && t <= INT32_MAX ? makeInt(static_cast<int32_t>(t)) : makeReal(t);
     }},
    {"FLOAT", [](Interp&, Args& a) { needCount(a, 1, 1); return makeReal(number(a[0])); }},
    {"GCD",
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         int64_t x = std::llabs(integer(a[0])), y = std::llabs(integer(a[1]));
         while (y)
             x %= y, std::swap(x, y);
         return makeInt(static_cast<int32_t>(x));
     }},
    {"EXPT",  // an integer when both are: a negative power truncates
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         double b = number(a[0]), p = number(a[1]);
         if (a[0]->type != Type::Int || a[1]->type != Type::Int)
             return makeReal(std::pow(b, p));
         if (p < 0 && b == 0)
             throw Error("divide by zero");
         if (p < 0)
             return makeInt(static_cast<int32_t>(std::trunc(std::pow(b, p))));
         uint32_t r = 1;
         for (int32_t k = 0; k < a[1]->i && r; ++k)
             r *= static_cast<uint32_t>(a[0]->i);
         return makeInt(static_cast<int32_t>(r));
     }},
    {"SQRT", [](Interp&, Args& a) { return real1(a, std::sqrt, [](double x) { return x >= 0; }); }},
    {"EXP", [](Interp&, Args& a) { return real1(a, std::exp, [](double) { return true; }); }},
    {"LOG", [](Interp&, Args& a) { return real1(a, std::log, [](double x) { return x > 0; }); }},
    {"SIN", [](Interp&, Args& a) { return real1(a, std::sin, [](double) { return true; }); }},
    {"COS", [](Interp&, Args& a) { return real1(a, std::cos, [](double) { return true; }); }},
    {"ATAN",
     [](Interp&, Args& a) {
         needCount(a, 1, 2);
         return makeReal(std::atan2(number(a[0]), a.size() == 2 ? number(a[1]) : 1.0));
     }},
    {"LOGAND", [](Interp&, Args& a) { return bitwise(a, 1); }},
    {"LOGIOR", [](Interp&, Args& a) { return bitwise(a, 7); }},
    {"BOOLE",
     [](Interp&, Args& a) {
         needCount(a, 2, SIZE_MAX);
         Args rest(a.begin() + 1, a.end());
         return bitwise(rest, integer(a[0]) & 15);
     }},
    {"LSH",
     [](Interp&, Args& a) {
         needCount(a, 1, 2);
         uint32_t x = static_cast<uint32_t>(integer(a[0]));
         int32_t n = a.size() == 2 ? integer(a[1]) : 0;
         x = n >= 32 || n <= -32 ? 0 : n >= 0 ? x << n : x >> -n;
         return makeInt(static_cast<int32_t>(x));
     }},
    {"~", [](Interp&, Args& a) { needCount(a, 1, 1); return makeInt(~integer(a[0])); }},
    // text
    {"STRCAT",
     [](Interp&, Args& a) {
         std::string s;
         for (const Value& v : a)
             s += str(v);
         return makeStr(s);
     }},
    {"STRLEN",
     [](Interp&, Args& a) {
         size_t n = 0;
         for (const Value& v : a)
             n += str(v).size();
         return makeInt(static_cast<int32_t>(n));
     }},
    {"SUBSTR",
     [](Interp&, Args& a) {
         needCount(a, 2, 3);
         const std::string& s = str(a[0]);
         int32_t start = integer(a[1]);
         if (start < 1)
             throw Error("bad argument value: positive " + prin1(a[1]));
         if (static_cast<size_t>(start) > s.size())
             return makeStr("");
         if (a.size() == 3 && integer(a[2]) < 0)
             throw Error("bad argument value: non-negative " + prin1(a[2]));
         size_t len = a.size() == 3 ? static_cast<size_t>(a[2]->i) : std::string::npos;
         return makeStr(s.substr(static_cast<size_t>(start - 1), len));
     }},
    {"STRCASE",
     [](Interp&, Args& a) {
         needCount(a, 1, 2);
         std::string s = str(a[0]);
         bool lower = a.size() == 2 && !isNil(a[1]);
         for (char& ch : s)
             ch = static_cast<char>(lower ? std::tolower(static_cast<unsigned char>(ch))
                                          : std::toupper(static_cast<unsigned char>(ch)));
         return makeStr(s);
     }},
    {"CHR", [](Interp&, Args& a) { needCount(a, 1, 1); return makeStr(std::string(1, static_cast<char>(integer(a[0])))); }},
    {"ASCII",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         const std::string& s = str(a[0]);
         return makeInt(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
     }},
    {"ITOA", [](Interp&, Args& a) { needCount(a, 1, 1); return makeStr(std::to_string(integer(a[0]))); }},
    {"ATOI",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         return makeInt(static_cast<int32_t>(std::strtol(str(a[0]).c_str(), nullptr, 10)));
     }},
    {"ATOF", [](Interp&, Args& a) { needCount(a, 1, 1); return makeReal(std::strtod(str(a[0]).c_str(), nullptr)); }},
    {"RTOS",  // modes 1 scientific, 2 decimal, 3 engineering, 4 architectural, 5 fractional
     [](Interp&, Args& a) {
         needCount(a, 1, 3);
         int mode = a.size() >= 2 ? integer(a[1]) : 2, prec = a.size() == 3 ? integer(a[2]) : 4;
         if (mode < 1 || mode > 5)
             badValue(a[1]);
         if (prec < 0 || prec > (mode >= 4 ? 8 : 15))
             badValue(a[2]);
         return makeStr(rtos(number(a[0]), mode, prec));
     }},
    {"DISTOF",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 2);
         if (a.size() == 2 && (integer(a[1]) < 1 || integer(a[1]) > 5))
             badValue(a[1]);
         double d;
         return distance(str(a[0]), d) ? makeReal(d) : nullptr;
     }},
    {"WCMATCH", [](Interp&, Args& a) { needCount(a, 2, 2); return boolean(wcmatch(str(a[0]), str(a[1]))); }},
    {"VL-STRING-SEARCH",
     [](Interp&, Args& a) -> Value {
         needCount(a, 2, 3);
         int32_t from = a.size() == 3 ? integer(a[2]) : 0;
         size_t k = str(a[1]).find(str(a[0]), static_cast<size_t>(std::max(from, 0)));
         return k == std::string::npos ? nullptr : makeInt(static_cast<int32_t>(k));
     }},
    {"VL-STRING-SUBST",  // the first occurrence only
     [](Interp&, Args& a) {
         needCount(a, 3, 4);
         std::string s = str(a[2]);
         int32_t from = a.size() == 4 ? integer(a[3]) : 0;
         size_t k = s.find(str(a[1]), static_cast<size_t>(std::max(from, 0)));
         if (k != std::string::npos)
             s.replace(k, a[1]->s.size(), str(a[0]));
         return makeStr(s);
     }},
    {"VL-STRING->LIST",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         std::vector<Value> codes;
         for (char ch : str(a[0]))
             codes.push_back(makeInt(static_cast<unsigned char>(ch)));
         return listFrom(codes);
     }},
    {"VL-LIST->STRING",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         std::string s;
         for (const Value& v : elements(a[0]))
             s += static_cast<char>(integer(v));
         return makeStr(s);
     }},
    {"VL-STRING-TRIM", [](Interp&, Args& a) { return trim(a, true, true); }},
    {"VL-STRING-LEFT-TRIM", [](Interp&, Args& a) { return trim(a, true, false); }},
    {"VL-STRING-RIGHT-TRIM", [](Interp&, Args& a) { return trim(a, false, true); }},
    {"VL-PRIN1-TO-STRING", [](Interp&, Args& a) { needCount(a, 1, 1); return makeStr(prin1(a[0])); }},
    {"VL-PRINC-TO-STRING", [](Interp&, Args& a) { needCount(a, 1, 1); return makeStr(princ(a[0])); }},
    {"VL-SYMBOL-NAME", [](Interp&, Args& a) { needCount(a, 1, 1); return makeStr(symbol(a[0])); }},
    {"VL-FILENAME-BASE",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         const std::string& p = str(a[0]);
         size_t from = nameStart(p), to = extensionStart(p);
         return makeStr(p.substr(from, to == std::string::npos ? std::string::npos : to - from));
     }},
    {"VL-FILENAME-DIRECTORY",
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         const std::string& p = str(a[0]);
         size_t k = nameStart(p);
         return makeStr(p.substr(0, k > 0 && p[k - 1] != ':' ? k - 1 : k));
     }},
    {"VL-FILENAME-EXTENSION",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         size_t k = extensionStart(str(a[0]));
         return k == std::string::npos ? nullptr : makeStr(a[0]->s.substr(k));
     }},
    // printing, files and the command line
    {"PRINC", [](Interp& in, Args& a) { return printTo(in, a, princ, ""); }},
    {"PRIN1", [](Interp& in, Args& a) { return printTo(in, a, prin1, ""); }},
    {"PRINT", [](Interp& in, Args& a) { return printTo(in, a, prin1, "\n", " "); }},
    {"TERPRI", [](Interp& in, Args& a) { needCount(a, 0, 0); in.write("\n"); return Value(); }},
    {"WRITE-LINE",
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         output(in, fileAt(a, 1), str(a[0]) + "\n");
         return a[0];
     }},
    {"WRITE-CHAR",
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         char ch = static_cast<char>(integer(a[0]));
         // One character, whatever it is: a 0 is written too, where a string would end.
         if (std::FILE* f = fileAt(a, 1))
             std::fputc(static_cast<unsigned char>(ch), f);
         else
             output(in, nullptr, std::string(1, ch));
         return a[0];
     }},
    {"READ-LINE",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 1);
         std::string line;
         if (a.empty())
             return ask(in, a, 1, line) ? makeStr(line) : nullptr;
         std::FILE* f = fileAt(a, 0);
         int ch;
         while ((ch = std::fgetc(f)) != EOF && ch != '\n')
             line += static_cast<char>(ch);
         if (ch == EOF && line.empty())
             return nullptr;
         if (!line.empty() && line.back() == '\r')
             line.pop_back();
         return makeStr(line);
     }},
    {"READ-CHAR",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 1);
         std::string line;
         if (a.empty())
             return ask(in, a, 1, line) ? makeInt(line.empty() ? 10 : static_cast<unsigned char>(line[0])) : nullptr;
         int ch = std::fgetc(fileAt(a, 0));
         return ch == EOF ? nullptr : makeInt(ch);
     }},
    {"OPEN",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 2, 2);
         std::string mode = toUpper(str(a[1]));
         if (mode != "R" && mode != "W" && mode != "A")
             badValue(a[1]);
         if (in.isDevice && in.isDevice(str(a[0])))
             return nullptr;  // a port or the console is no file
         mode[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(mode[0])));
         std::FILE* f = std::fopen(str(a[0]).c_str(), mode.c_str());
         if (!f)
             return nullptr;
         Value v = makeCell(Type::File, a[0]->s);
         v->file = f;
         return v;
     }},
    {"CLOSE",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         Cell* f = openFile(a[0]);
         std::fclose(f->file);
         f->file = nullptr;
         return nullptr;
     }},
    {"FINDFILE",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         std::string path = in.findFile(str(a[0]));
         return path.empty() ? nullptr : makeStr(path);
     }},
    {"LOAD",  // NAME, or NAME.lsp; what ONFAILURE gives when there is none
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         const std::string& name = str(a[0]);
         std::string path = extensionStart(name) == std::string::npos ? in.findFile(name + ".lsp") : "";
         if (path.empty())
             path = in.findFile(name);
         Value result;
         if (!path.empty() && in.load(path, result))
             return result;
         Args none;
         if (a.size() == 2)
             return isFunction(a[1]) ? in.apply(a[1], none) : a[1];
         throw Error("LOAD failed: \"" + name + "\"");
     }},
    {"GETENV",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         const char* v = std::getenv(str(a[0]).c_str());
         return v ? makeStr(v) : nullptr;
     }},
    {"GETSTRING",  // (getstring [cr] [msg]): without cr a blank ends the answer
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 2);
         bool blanks = a.size() == 2 || (a.size() == 1 && (!a[0] || a[0]->type != Type::Str));
         size_t msgAt = blanks ? 1 : 0;
         std::string line;
         if (!ask(in, a, msgAt, line))
             return nullptr;
         if (!(blanks && !isNil(a[0])))
             line = line.substr(0, line.find(' '));
         return makeStr(line);
     }},
    {"GETINT", [](Interp& in, Args& a) { return getInput(in, a, 'i'); }},
    {"GETREAL", [](Interp& in, Args& a) { return getInput(in, a, 'r'); }},
    {"GETKWORD", [](Interp& in, Args& a) { return getInput(in, a, 'k'); }},
    {"INITGET",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 2);
         in.inputBits = 0;
         in.keywords.clear();
         for (const Value& v : a)
             (v && v->type == Type::Int) ? void(in.inputBits = v->i) : void(in.keywords = str(v));
         return nullptr;
     }},
    // the rest
    {"SET",
     [](Interp& in, Args& a) {
         needCount(a, 2, 2);
         in.setGlobal(symbol(a[0]), a[1]);
         return a[1];
     }},
    {"TYPE",
     [](Interp&, Args& a) -> Value {
         static const char* const names[] = {"INT", "REAL", "STR", "SYM", "LIST", "", "SUBR", "USUBR", "EXRXSUBR", "FILE"};
         needCount(a, 1, 1);
         return isNil(a[0]) ? nullptr : makeSym(names[static_cast<int>(a[0]->type)]);
     }},
    {"QUIT", [](Interp& in, Args& a) -> Value { needCount(a, 0, 0); in.quitting = true; throw Error("quit / exit abort"); }},
    {"EXIT", [](Interp& in, Args& a) -> Value { needCount(a, 0, 0); in.quitting = true; throw Error("quit / exit abort"); }},
    {"VL-LOAD-COM", [](Interp&, Args&) { return Value(); }},
};

}  // namespace

const std::string& stringArg(const Value& v) { return str(v); }
int32_t intArg(const Value& v) { return integer(v); }

int32_t intArg(const Value& v, int32_t least, int32_t most)
{
    int32_t i = integer(v);
    if (i < least || i > most)
        badValue(v);
    return i;
}

Interp::Interp()
{
    write = [](const std::string& s) {
        std::fputs(s.c_str(), stdout);
        std::fflush(stdout);
    };
    readLine = [](std::string& line) {
        char buf[4096];
        line.clear();
        while (std::fgets(buf, sizeof buf, stdin)) {
            line += buf;
            if (line.back() == '\n')
                return true;
        }
        return !line.empty();
    };
    for (const Reg& r : kBuiltins)
        builtins_[r.name] = r.fn;
    // car and cdr combined, two to four deep: CADR is (car (cdr x)).
    for (int depth = 2; depth <= 4; ++depth)
        for (int bits = 0; bits < (1 << depth); ++bits) {
            std::string path;
            for (int k = 0; k < depth; ++k)
                path += (bits >> k) & 1 ? 'D' : 'A';
            builtins_["C" + path + "R"] = [path](Interp&, Args& a) {
                needCount(a, 1, 1);
                Value v = a[0];
                for (auto it = path.rbegin(); it != path.rend(); ++it)
                    v = *it == 'A' ? car(v) : cdr(v);
                return v;
            };
        }
}

}  // namespace lisp
