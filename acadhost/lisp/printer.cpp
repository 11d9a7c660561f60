// The printer: values as prin1 and princ write them.
#include "../lisp.h"

#include <cmath>
#include <cstdio>

namespace lisp {

static std::string formatReal(double r)
{
    if (std::isnan(r))
        return "nan";
    if (std::isinf(r))
        return r < 0 ? "-inf" : "inf";
    // Six significant digits, a point always, and an exponent of three digits at least:
    // 3.14159, 1234.57, 100.0, 1.0e+008, 1.23457e-007, as the host prints them.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", r);
    std::string s = buf;
    size_t e = s.find('e');
    std::string mantissa = s.substr(0, e), exponent;
    if (mantissa.find('.') == std::string::npos)
        mantissa += ".0";
    if (e != std::string::npos) {
        std::string digits = s.substr(e + 2);
        exponent = s.substr(e, 2) + std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits;
    }
    return mantissa + exponent;
}

// A string as the reader reads it back: quoted, with its escapes.
static std::string quotedText(const std::string& s)
{
    std::string out = "\"";
    for (char ch : s) {
        switch (ch) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case 27: out += "\\e"; break;
        default:
            if (ch >= 0 && ch < 32) {  // the other control codes in octal, as read back
                char code[8];
                std::snprintf(code, sizeof code, "\\%03o", ch);
                out += code;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
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
    case Type::File: return "#<file " + quotedText(v->s) + ">";
    case Type::CatchError: return "#<%catch-all-apply-error%>";
    case Type::Str: return quoted ? quotedText(v->s) : v->s;
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

}  // namespace lisp
