// Strings: their parts, case, conversion to and from numbers, patterns, file names.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "builtins.h"

namespace lisp {

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

// A distance in any of rtos's forms, or as typed: 15.5, 1.55E+01, 1'-3 1/2", 1'3, 15 1/2, 15-1/2, 3/4.
bool distanceValue(const std::string& text, double& out)
{
    const char* p = text.c_str();
    auto skip = [&] {
        while (*p == ' ')
            ++p;
    };
    auto amount = [&](double& v) {  // a number, a fraction, or a whole and a fraction
        const char* end;
        v = decimal(p, &end);
        if (end == p)
            return false;
        p = end;
        // 3/4, or a whole number and a fraction joined by a space or a dash: 17 1/2, 17-1/2.
        if (*p == '/' || ((*p == ' ' || (*p == '-' && std::isdigit(static_cast<unsigned char>(p[1])))) &&
                          std::strchr(p + 1, '/'))) {
            double whole = 0;
            if (*p != '/') {
                whole = v;
                v = decimal(p + 1, &end);
                if (*end != '/')
                    return false;
                p = end;
            }
            double den = decimal(p + 1, &end);
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
        if (*p && !amount(inches))
            return false;
        if (*p == '"')  // the inch mark may be left out, as at the keyboard
            ++p;
        v = v * 12 + inches;
    } else if (*p == '"') {
        ++p;
    }
    skip();
    out = negative ? -v : v;
    return *p == '\0';
}

namespace {

// ---- text ----

// DIMZIN's bits 4 and 8 shape a decimal (withoutZeros); its two lowest bits say which zero
// part of feet and inches is left out (0 both, 1 neither, 2 the inches, 3 the feet). TYPED
// (UNITMODE 1) writes feet and inches as they are typed: 1'5-1/2" for 1'-5 1/2".
std::string rtos(double v, int mode, int prec, int dimzin, bool typed)
{
    double a = std::fabs(v);
    const char* sign = v < 0 ? "-" : "";
    // Whole numbers as doubles, so that no size of distance overflows them.
    auto digits = [](double whole) {
        char text[400];
        std::snprintf(text, sizeof text, "%.0f", whole);
        return std::string(text);
    };
    // x to the nearest 1/2^prec: its whole part, and the rest in those steps.
    auto steps = [&](double x, double& whole, long& num) {
        long den = 1L << prec;
        whole = std::floor(x), num = std::lround((x - whole) * den);
        if (num == den)
            ++whole, num = 0;
    };
    auto fraction = [&](double whole, long num, bool zeroWhole) {  // reduced
        long den = 1L << prec;
        while (num && num % 2 == 0)
            num /= 2, den /= 2;
        std::string w = digits(whole);
        if (num == 0)
            return w;
        return (whole || zeroWhole ? w + (typed ? "-" : " ") : "") + std::to_string(num) + "/" + std::to_string(den);
    };
    int zeros = dimzin & 3;
    auto feetLeftOut = [&](double feet) { return feet == 0 && (zeros == 0 || zeros == 3); };
    auto feetInches = [&](double feet, const std::string& inches, bool zeroInches) {
        bool noFeet = feetLeftOut(feet), noInches = zeroInches && (zeros == 0 || zeros == 2) && !noFeet;
        std::string text = sign;
        if (!noFeet)
            text += digits(feet) + "'" + (noInches || typed ? "" : "-");
        return noInches ? text : text + inches + "\"";
    };
    // Feet, then the inches left, which must not round up to 12: those are a foot more.
    double feet = std::floor(a / 12), rest = std::max(0.0, a - feet * 12), whole;
    long num;
    switch (mode) {
    case 1: {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*E", prec, v);
        return buf;
    }
    case 3: {
        std::string inches = fixedText(rest, prec);
        if (std::atof(inches.c_str()) >= 12)
            inches = fixedText(0.0, prec), ++feet;
        return feetInches(feet, inches, std::atof(inches.c_str()) == 0);
    }
    case 4:
        steps(rest, whole, num);
        if (whole >= 12)
            whole = 0, ++feet;
        return feetInches(feet, fraction(whole, num, !feetLeftOut(feet)), whole == 0 && num == 0);
    case 5:
        steps(a, whole, num);
        return sign + fraction(whole, num, false);
    default:
        return withoutZeros(fixedText(v, prec), dimzin);
    }
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

// Where the alternative that starts at FROM ends: at the next comma outside brackets and
// after no backquote (in brackets every character is read as it stands, a comma too).
size_t alternativeEnd(const std::string& p, size_t from)
{
    size_t k = from;
    while (k < p.size() && p[k] != ',') {
        if (p[k] == '`' && k + 1 < p.size()) {
            k += 2;
        } else if (p[k] == '[') {
            k += 1 + (k + 1 < p.size() && p[k + 1] == '~');
            size_t first = k;  // a "]" first in the brackets is one of them
            while (k < p.size() && (p[k] != ']' || k == first))
                ++k;
            k += k < p.size();
        } else {
            ++k;
        }
    }
    return k;
}

bool wcmatch(const std::string& s, const std::string& patterns)
{
    for (size_t from = 0;;) {
        size_t to = alternativeEnd(patterns, from);
        std::string p = patterns.substr(from, to - from);
        bool negate = !p.empty() && p[0] == '~';
        if (wildMatch(s, negate ? p.substr(1) : p) != negate)
            return true;
        if (to >= patterns.size())
            return false;
        from = to + 1;
    }
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

// snvalid: a name for a layer, a block or another named object. Under EXTNAMES 1 any
// character but control characters and <>/\":;?*|,=` (a vertical bar only inside the name
// with FLAG 1); under EXTNAMES 0 at most 31 letters, digits, $, - and _.
bool validName(const std::string& name, bool bars, bool extended)
{
    if (name.empty() || (!extended && name.size() > 31))
        return false;
    for (size_t k = 0; k < name.size(); ++k) {
        unsigned char c = static_cast<unsigned char>(name[k]);
        if (c == '|' && bars && k > 0 && k + 1 < name.size())
            continue;
        bool ok = extended ? c >= 32 && c != 127 && !std::strchr("<>/\\\":;?*|,=`", c)
                           : std::isalnum(c) || c == '$' || c == '-' || c == '_';
        if (!ok)
            return false;
    }
    return true;
}

const Reg kStrings[] = {
    {"SNVALID",  // (snvalid NAME [FLAG])
     [](Interp& in, Args& a) {
         needCount(a, 1, 2);
         bool bars = a.size() == 2 && integer(a[1]) == 1;
         return boolean(validName(str(a[0]), bars, systemInt(in, "EXTNAMES", 1) != 0));
     }},
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
         bool lower = a.size() == 2 && !isNil(a[1]);
         return makeStr(lower ? toLower(str(a[0])) : toUpper(str(a[0])));
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
    {"ATOF",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         const char* end;
         return makeReal(decimal(str(a[0]).c_str(), &end));
     }},
    {"RTOS",  // modes 1 scientific, 2 decimal, 3 engineering, 4 architectural, 5 fractional; LUNITS and LUPREC by default; DIMZIN
     [](Interp& in, Args& a) {
         needCount(a, 1, 3);
         int mode = a.size() >= 2 ? integer(a[1]) : systemInt(in, "LUNITS", 2);
         int prec = a.size() == 3 ? integer(a[2]) : systemInt(in, "LUPREC", 4);
         if (mode < 1 || mode > 5)
             badValue(a[1]);
         if (prec < 0 || prec > (mode >= 4 ? 8 : 15))
             badValue(a[2]);
         return makeStr(rtos(number(a[0]), mode, prec, systemInt(in, "DIMZIN", 0), systemInt(in, "UNITMODE", 0) == 1));
     }},
    {"DISTOF",
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 2);
         if (a.size() == 2 && (integer(a[1]) < 1 || integer(a[1]) > 5))
             badValue(a[1]);
         double d;
         return distanceValue(str(a[0]), d) ? makeReal(d) : nullptr;
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
};

}  // namespace

Family stringBuiltins() { return family(kStrings); }

}  // namespace lisp
