// Numbers: arithmetic, comparison, the real functions and the bits.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "builtins.h"

namespace lisp {

namespace {

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
        // Beside a string the other must be one too, as the host says: (< 1 "1") "stringp
        // 1"; otherwise both are numbers: (< n nil) "numberp: nil".
        if ((a[k] && a[k]->type == Type::Str) || (a[k + 1] && a[k + 1]->type == Type::Str)) {
            c = str(a[k]).compare(str(a[k + 1]));
        } else {
            double x = number(a[k]), y = number(a[k + 1]);
            c = x < y ? -1 : x > y ? 1 : 0;
        }
        if (!ok(c))
            return nullptr;
    }
    return symT();
}

// = and /= compare any atoms: numbers by value, strings by text, symbols by name, nil with
// nil; anything else, and values of two types, only with themselves.
bool sameAtom(const Value& x, const Value& y)
{
    if (isNumber(x) && isNumber(y))
        return toDouble(x) == toDouble(y);
    if (isNil(x) || isNil(y))
        return isNil(x) && isNil(y);
    if (x->type != y->type)
        return false;
    if (x->type == Type::Str || x->type == Type::Sym)
        return x->s == y->s;
    return x == y;
}

// Each argument against the next: (= a b c) when all are the same, (/= a b c) when no two
// neighbours are.
Value chainSame(const Args& a, bool same)
{
    needCount(a, 1, SIZE_MAX);
    for (size_t k = 0; k + 1 < a.size(); ++k)
        if (sameAtom(a[k], a[k + 1]) != same)
            return nullptr;
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
        double x = number(a[k]);  // first: nil has no type to read
        real = real || a[k]->type == Type::Real;
        if (wantMax ? x > toDouble(a[best]) : x < toDouble(a[best]))
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

// The remainder of x over y: an integer of two integers, otherwise a real.
Value remainder(const Value& x, const Value& y)
{
    if (x && y && x->type == Type::Int && y->type == Type::Int) {
        if (y->i == 0)
            throw Error("divide by zero");
        return makeInt(y->i == -1 ? 0 : x->i % y->i);
    }
    double divisor = number(y);
    if (divisor == 0)
        throw Error("divide by zero");
    return makeReal(std::fmod(number(x), divisor));
}

const Reg kNumbers[] = {
    {"=", [](Interp&, Args& a) { return chainSame(a, true); }},
    {"/=", [](Interp&, Args& a) { return chainSame(a, false); }},
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
    {"REM",  // (rem 26 7 2) is (rem (rem 26 7) 2); (rem) is 0, (rem X) is X
     [](Interp&, Args& a) {
         if (a.size() < 2)
             return a.empty() ? makeInt(0) : (number(a[0]), a[0]);
         Value r = remainder(a[0], a[1]);
         for (size_t k = 2; k < a.size(); ++k)
             r = remainder(r, a[k]);
         return r;
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
         uint32_t r = 1, square = static_cast<uint32_t>(a[0]->i);  // wrapping as 32 bits
         for (uint32_t k = static_cast<uint32_t>(a[1]->i); k; k >>= 1, square *= square)
             if (k & 1)
                 r *= square;
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
};

}  // namespace

Family numberBuiltins() { return family(kNumbers); }

}  // namespace lisp
