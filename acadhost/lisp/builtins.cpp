// The built-ins: what the families share, and their installation. The host adds getvar,
// setvar, command, alert and its own.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "builtins.h"

namespace lisp {

void needCount(const Args& a, size_t least, size_t most)
{
    if (a.size() < least)
        throw Error("too few arguments");
    if (a.size() > most)
        throw Error("too many arguments");
}

// The host's own wording: a colon follows some predicates ("numberp:", "fixnump:", "2D/3D
// point:") and not others ("stringp"), so each caller names its own.
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
        badType("fixnump:", v);
    return v->i;
}

double number(const Value& v)
{
    if (!isNumber(v))
        badType("numberp:", v);
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

double decimal(const char* p, const char** end)
{
    const char* q = p;
    while (std::isspace(static_cast<unsigned char>(*q)))
        ++q;
    const char* start = q;
    auto digits = [&q] {
        const char* from = q;
        while (*q >= '0' && *q <= '9')
            ++q;
        return q != from;
    };
    if (*q == '+' || *q == '-')
        ++q;
    bool whole = digits(), fraction = *q == '.' && (++q, digits());
    if (!whole && !fraction) {
        *end = p;
        return 0;
    }
    const char* mantissa = q;
    if (*q == 'e' || *q == 'E') {
        ++q;
        if (*q == '+' || *q == '-')
            ++q;
        if (!digits())
            q = mantissa;  // "2e" is 2 and an "e"
    }
    *end = q;
    return std::strtod(std::string(start, q).c_str(), nullptr);
}

std::string fixedText(double v, int prec)
{
    if (!std::isfinite(v)) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.*f", prec, v);
        return buf;
    }
    // The exact digits, twenty past the last kept, rounded here.
    int n = std::snprintf(nullptr, 0, "%.*f", prec + 20, v);
    std::string t(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(&t[0], t.size(), "%.*f", prec + 20, v);
    t.resize(static_cast<size_t>(n));
    size_t point = t.find('.');
    bool up = t[point + prec + 1] >= '5';
    t.erase(prec ? point + prec + 1 : point);
    for (size_t k = t.size(); up;) {
        if (k == 0 || t[k - 1] == '-') {
            t.insert(k, "1");
            break;
        }
        char& d = t[--k];
        if (d == '.')
            continue;
        up = d == '9';
        d = up ? '0' : static_cast<char>(d + 1);
    }
    return t;
}

std::string withoutZeros(std::string text, int dimzin)
{
    if ((dimzin & 8) && text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    size_t zero = text[0] == '-' ? 1 : 0;
    if ((dimzin & 4) && text.compare(zero, 2, "0.") == 0)
        text.erase(zero, 1);
    return text;
}

Value callIfDefined(Interp& in, const char* name, Args args)
{
    Value fn = in.eval(makeSym(name));
    return isFunction(fn) ? in.apply(fn, args) : nullptr;
}

namespace {

Value systemVariable(Interp& in, const char* name) { return callIfDefined(in, "GETVAR", {makeStr(name)}); }

}  // namespace

int32_t systemInt(Interp& in, const char* name, int32_t fallback)
{
    Value v = systemVariable(in, name);
    return v && v->type == Type::Int ? v->i : fallback;
}

double systemReal(Interp& in, const char* name, double fallback)
{
    Value v = systemVariable(in, name);
    return v && isNumber(v) ? toDouble(v) : fallback;
}

char foldCase(char ch) { return static_cast<char>(std::toupper(static_cast<unsigned char>(ch))); }

bool lessFolded(const std::string& x, const std::string& y)
{
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                        [](char p, char q) { return foldCase(p) < foldCase(q); });
}

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
    setGlobal("PI", makeReal(kPi));
    for (Family f : {listBuiltins(), numberBuiltins(), stringBuiltins(), characterBuiltins(), geometryBuiltins(),
                     fileBuiltins(), folderBuiltins(), inputBuiltins(), systemBuiltins(), symbolBuiltins(),
                     dieselBuiltins()})
        for (size_t k = 0; k < f.count; ++k)
            builtins_[f.rows[k].name] = f.rows[k].fn;
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
