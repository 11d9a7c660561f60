// The language's own functions. The host adds getvar, setvar, command and its own.
#include "lisp.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lisp {

namespace {

void needCount(const Args& a, size_t least, size_t most)
{
    if (a.size() < least)
        throw Error("too few arguments");
    if (a.size() > most)
        throw Error("too many arguments");
}

const std::string& str(const Value& v)
{
    if (!v || v->type != Type::Str)
        throw Error("bad argument type: stringp " + prin1(v));
    return v->s;
}

int32_t integer(const Value& v)
{
    if (!v || v->type != Type::Int)
        throw Error("bad argument type: fixnump " + prin1(v));
    return v->i;
}

double number(const Value& v)
{
    if (!isNumber(v))
        throw Error("bad argument type: numberp " + prin1(v));
    return toDouble(v);
}

Value list(const Value& v)
{
    if (v && v->type != Type::Cons)
        throw Error("bad argument type: listp " + prin1(v));
    return v;
}

Value boolean(bool b) { return b ? symT() : nullptr; }

Value car(const Value& v) { return list(v) ? v->car : nullptr; }
Value cdr(const Value& v) { return list(v) ? v->cdr : nullptr; }

bool equalValues(const Value& a, const Value& b)
{
    if (isNil(a) || isNil(b))
        return isNil(a) && isNil(b);
    if (isNumber(a) && isNumber(b))
        return toDouble(a) == toDouble(b);
    if (a->type != b->type)
        return false;
    switch (a->type) {
    case Type::Str:
    case Type::Sym: return a->s == b->s;
    case Type::Cons: return equalValues(a->car, b->car) && equalValues(a->cdr, b->cdr);
    default: return false;
    }
}

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

}  // namespace

Interp::Interp()
{
    write = [](const std::string& s) {
        std::fputs(s.c_str(), stdout);
        std::fflush(stdout);
    };
    auto& B = builtins_;
    B["LIST"] = [](Interp&, Args& a) { return listFrom(a); };
    B["CONS"] = [](Interp&, Args& a) { needCount(a, 2, 2); return cons(a[0], a[1]); };
    B["CAR"] = [](Interp&, Args& a) { needCount(a, 1, 1); return car(a[0]); };
    B["CDR"] = [](Interp&, Args& a) { needCount(a, 1, 1); return cdr(a[0]); };
    B["CADR"] = [](Interp&, Args& a) { needCount(a, 1, 1); return car(cdr(a[0])); };
    B["CADDR"] = [](Interp&, Args& a) { needCount(a, 1, 1); return car(cdr(cdr(a[0]))); };
    B["NTH"] = [](Interp&, Args& a) {
        needCount(a, 2, 2);
        Value p = list(a[1]);
        for (int32_t k = integer(a[0]); k > 0 && p; --k)
            p = cdr(p);
        return integer(a[0]) < 0 ? nullptr : car(p);
    };
    B["LAST"] = [](Interp&, Args& a) {
        needCount(a, 1, 1);
        Value p = list(a[0]);
        while (p && p->cdr && p->cdr->type == Type::Cons)
            p = p->cdr;
        return car(p);
    };
    B["LENGTH"] = [](Interp&, Args& a) {
        needCount(a, 1, 1);
        int32_t n = 0;
        for (Value p = list(a[0]); p && p->type == Type::Cons; p = p->cdr)
            ++n;
        return makeInt(n);
    };
    B["REVERSE"] = [](Interp&, Args& a) {
        needCount(a, 1, 1);
        Value out;
        for (Value p = list(a[0]); p && p->type == Type::Cons; p = p->cdr)
            out = cons(p->car, out);
        return out;
    };
    B["APPEND"] = [](Interp&, Args& a) {
        std::vector<Value> items;
        for (const Value& l : a)
            for (Value p = list(l); p && p->type == Type::Cons; p = p->cdr)
                items.push_back(p->car);
        return listFrom(items);
    };
    B["ASSOC"] = [](Interp&, Args& a) -> Value {
        needCount(a, 2, 2);
        for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr)
            if (p->car && p->car->type == Type::Cons && equalValues(p->car->car, a[0]))
                return p->car;
        return nullptr;
    };
    B["MEMBER"] = [](Interp&, Args& a) -> Value {
        needCount(a, 2, 2);
        for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr)
            if (equalValues(p->car, a[0]))
                return p;
        return nullptr;
    };
    B["EQUAL"] = [](Interp&, Args& a) {
        needCount(a, 2, 3);
        if (a.size() == 3 && isNumber(a[0]) && isNumber(a[1]))
            return boolean(std::fabs(toDouble(a[0]) - toDouble(a[1])) <= number(a[2]));
        return boolean(equalValues(a[0], a[1]));
    };
    B["EQ"] = [](Interp&, Args& a) {
        needCount(a, 2, 2);
        bool atoms = !a[0] || !a[1] || a[0]->type != Type::Cons || a[1]->type != Type::Cons;
        return boolean(atoms ? equalValues(a[0], a[1]) : a[0] == a[1]);
    };
    B["="] = [](Interp&, Args& a) { return compare(a, [](int c) { return c == 0; }); };
    B["/="] = [](Interp&, Args& a) { return compare(a, [](int c) { return c != 0; }); };
    B["<"] = [](Interp&, Args& a) { return compare(a, [](int c) { return c < 0; }); };
    B[">"] = [](Interp&, Args& a) { return compare(a, [](int c) { return c > 0; }); };
    B["<="] = [](Interp&, Args& a) { return compare(a, [](int c) { return c <= 0; }); };
    B[">="] = [](Interp&, Args& a) { return compare(a, [](int c) { return c >= 0; }); };
    B["+"] = [](Interp&, Args& a) { return arith(a, '+'); };
    B["-"] = [](Interp&, Args& a) { return arith(a, '-'); };
    B["*"] = [](Interp&, Args& a) { return arith(a, '*'); };
    B["/"] = [](Interp&, Args& a) { return arith(a, '/'); };
    B["1+"] = [](Interp&, Args& a) { needCount(a, 1, 1); Args b{a[0], makeInt(1)}; return arith(b, '+'); };
    B["1-"] = [](Interp&, Args& a) { needCount(a, 1, 1); Args b{a[0], makeInt(1)}; return arith(b, '-'); };
    B["REM"] = [](Interp&, Args& a) {
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
    };
    B["NOT"] = [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(isNil(a[0])); };
    B["NULL"] = B["NOT"];
    B["ATOM"] = [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(!a[0] || a[0]->type != Type::Cons); };
    B["LISTP"] = [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(!a[0] || a[0]->type == Type::Cons); };
    B["STRCAT"] = [](Interp&, Args& a) {
        std::string s;
        for (const Value& v : a)
            s += str(v);
        return makeStr(s);
    };
    B["STRLEN"] = [](Interp&, Args& a) {
        size_t n = 0;
        for (const Value& v : a)
            n += str(v).size();
        return makeInt(static_cast<int32_t>(n));
    };
    B["SUBSTR"] = [](Interp&, Args& a) {
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
    };
    B["STRCASE"] = [](Interp&, Args& a) {
        needCount(a, 1, 2);
        std::string s = str(a[0]);
        bool lower = a.size() == 2 && !isNil(a[1]);
        for (char& ch : s)
            ch = static_cast<char>(lower ? std::tolower(static_cast<unsigned char>(ch))
                                         : std::toupper(static_cast<unsigned char>(ch)));
        return makeStr(s);
    };
    B["CHR"] = [](Interp&, Args& a) {
        needCount(a, 1, 1);
        return makeStr(std::string(1, static_cast<char>(integer(a[0]))));
    };
    B["ASCII"] = [](Interp&, Args& a) {
        needCount(a, 1, 1);
        const std::string& s = str(a[0]);
        return makeInt(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
    };
    B["ITOA"] = [](Interp&, Args& a) { needCount(a, 1, 1); return makeStr(std::to_string(integer(a[0]))); };
    B["ATOI"] = [](Interp&, Args& a) {
        needCount(a, 1, 1);
        return makeInt(static_cast<int32_t>(std::strtol(str(a[0]).c_str(), nullptr, 10)));
    };
    B["ATOF"] = [](Interp&, Args& a) { needCount(a, 1, 1); return makeReal(std::strtod(str(a[0]).c_str(), nullptr)); };
    B["RTOS"] = [](Interp&, Args& a) {
        // Decimal units only; precision 4 unless given.
        needCount(a, 1, 3);
        int prec = a.size() == 3 ? integer(a[2]) : 4;
        if (prec < 0 || prec > 15)
            throw Error("bad argument value: " + prin1(a[2]));
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*f", prec, number(a[0]));
        return makeStr(buf);
    };
    B["PRINC"] = [](Interp& in, Args& a) {
        needCount(a, 0, 1);
        if (a.empty())
            return Value();
        in.write(princ(a[0]));
        return a[0];
    };
    B["PRIN1"] = [](Interp& in, Args& a) {
        needCount(a, 0, 1);
        if (a.empty())
            return Value();
        in.write(prin1(a[0]));
        return a[0];
    };
    B["PRINT"] = [](Interp& in, Args& a) {
        needCount(a, 0, 1);
        if (a.empty())
            return Value();
        in.write("\n" + prin1(a[0]) + " ");
        return a[0];
    };
    B["TERPRI"] = [](Interp& in, Args& a) {
        needCount(a, 0, 0);
        in.write("\n");
        return Value();
    };
    B["TYPE"] = [](Interp&, Args& a) -> Value {
        needCount(a, 1, 1);
        if (isNil(a[0]))
            return nullptr;
        switch (a[0]->type) {
        case Type::Int: return makeSym("INT");
        case Type::Real: return makeSym("REAL");
        case Type::Str: return makeSym("STR");
        case Type::Sym: return makeSym("SYM");
        default: return makeSym("LIST");
        }
    };
}

}  // namespace lisp
