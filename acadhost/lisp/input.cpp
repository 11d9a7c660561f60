// The command line: getstring, getint, getreal, getkword, initget, and the points, distances
// and angles typed there.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "builtins.h"

namespace lisp {

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

namespace {

// ---- the command line ----


// The keyword of initget's list that the answer names, or "". A keyword's abbreviation is
// its capitals (LType: LT, eXit: X) or what follows its comma (LTYPE,LT); the answer is the
// abbreviation, or the keyword's start as far as its last capital or further. Keywords past
// one that starts with "_" are those returned for the ones before (Yes No _Yes No), and an
// answer that starts with "_" names one of them.
std::string keywordOf(const std::string& keywords, const std::string& answer)
{
    std::vector<std::string> local, global;
    for (size_t from = 0; from < keywords.size();) {
        size_t to = std::min(keywords.find(' ', from), keywords.size());
        std::string k = keywords.substr(from, to - from);
        from = to + 1;
        if (k.empty())
            continue;
        if (global.empty() && k[0] == '_')
            global.push_back(k.substr(1));
        else
            (global.empty() ? local : global).push_back(k);
    }
    auto word = [](const std::string& k) { return k.substr(0, k.find(',')); };
    auto names = [&](const std::string& k, const std::string& typed) {
        size_t comma = k.find(',');
        std::string whole = k.substr(0, comma), abbreviation;
        size_t need = 0;
        if (comma != std::string::npos) {
            abbreviation = k.substr(comma + 1);
            need = abbreviation.size();
        } else {
            for (size_t c = 0; c < k.size(); ++c)
                if (std::isupper(static_cast<unsigned char>(k[c])))
                    abbreviation += k[c], need = c + 1;
        }
        if (typed.empty())
            return false;
        if (!abbreviation.empty() && toUpper(typed) == toUpper(abbreviation))
            return true;
        return typed.size() >= (need ? need : whole.size()) && typed.size() <= whole.size() &&
               toUpper(whole.substr(0, typed.size())) == toUpper(typed);
    };
    for (size_t i = 0; i < local.size(); ++i)
        if (names(local[i], answer))
            return word(i < global.size() ? global[i] : local[i]);
    if (!answer.empty() && answer[0] == '_')
        for (const std::string& k : global)
            if (names(k, answer.substr(1)))
                return word(k);
    return "";
}

// initget's bits and keywords, taken by the one input call they shape.
struct Shape {
    int bits;
    std::string keywords;
};
Shape takeShape(Interp& in)
{
    Shape shape{in.inputBits, in.keywords};
    in.inputBits = 0;
    in.keywords.clear();
    return shape;
}

// Asks once; true when the answer ends the call with result: nil at the end of input or for
// Enter that bit 1 does not refuse, the keyword named as its string.
bool answerEnds(Interp& in, const Args& a, size_t msgAt, const Shape& shape, std::string& line, Value& result)
{
    result = nullptr;
    if (!ask(in, a, msgAt, line) || (line.empty() && !(shape.bits & 1)))
        return true;
    std::string k = keywordOf(shape.keywords, line);
    if (!k.empty())
        result = makeStr(k);
    return !k.empty();
}

// getint, getreal and getkword: asks until the answer is one initget allows.
Value getInput(Interp& in, Args& a, char kind)
{
    needCount(a, 0, 1);
    Shape shape = takeShape(in);
    int bits = shape.bits;
    if (kind == 'k' && shape.keywords.empty())
        return nullptr;
    std::string line;
    Value result;
    while (!answerEnds(in, a, 0, shape, line, result)) {
        // Digits, a sign, and for a real a point and an exponent: no "15.0" for an integer,
        // no "nan", "inf" or "0x10" for either.
        bool digitsOnly = !line.empty() && line.find_first_not_of(kind == 'i' ? "+-0123456789" : "+-.0123456789eE") ==
                                               std::string::npos;
        char* end = nullptr;
        double v = kind == 'k' || !digitsOnly ? 0 : std::strtod(line.c_str(), &end);
        bool ok = end && end != line.c_str() && *end == '\0';
        const char* problem = nullptr;
        if (kind == 'k')
            problem = "Invalid option keyword.";
        else if (kind == 'i' && (!ok || v < -32768 || v > 32767))
            problem = "Requires an integer value.";
        else if (!ok)
            problem = "Requires numeric value.";
        else if ((bits & 2) && v == 0)
            problem = "Value must be nonzero.";
        else if ((bits & 4) && v < 0)
            problem = "Value must be positive.";
        if (!problem)
            return kind == 'i' ? makeInt(static_cast<int32_t>(v)) : makeReal(v);
        if (bits & 128)  // any answer: what was typed, as it stands ("" for Enter with bit 1)
            return makeStr(line);
        in.write(std::string(problem) + "\n");
    }
    return result;
}

// An angle typed in the current units, measured from ANGBASE in ANGDIR's sense, as a
// direction from the X axis, anticlockwise.
bool directionValue(Interp& in, const std::string& text, double& out)
{
    double a;
    if (!angleValue(text, systemInt(in, "AUNITS", 0), a))
        return false;
    out = systemReal(in, "ANGBASE", 0) + (systemInt(in, "ANGDIR", 0) == 1 ? -a : a);
    return true;
}

// A point typed at the prompt: "x,y" or "x,y,z" (Z the ELEVATION where none is typed),
// "distance<angle" from the origin; either after "@" from the last point (Z unchanged where
// none is typed). Coordinates and distances as distof reads them.
bool pointValue(Interp& in, std::string text, std::vector<double>& out)
{
    text.erase(0, text.find_first_not_of(' '));
    bool relative = !text.empty() && text[0] == '@';
    std::vector<double> from = relative ? in.lastPoint : std::vector<double>{0, 0, 0};
    if (relative)
        text.erase(0, 1);
    std::vector<double> p{0, 0, relative ? 0 : systemReal(in, "ELEVATION", 0)};
    size_t less = text.find('<');
    if (relative && text.find_first_not_of(' ') == std::string::npos) {
        // "@" alone: the last point itself
    } else if (less != std::string::npos) {
        double d, a;
        if (!distanceValue(text.substr(0, less), d) || !directionValue(in, text.substr(less + 1), a))
            return false;
        p = {d * std::cos(a), d * std::sin(a), p[2]};
    } else {
        std::vector<std::string> parts;
        for (size_t at = 0;; at = text.find(',', at) + 1) {
            parts.push_back(text.substr(at, text.find(',', at) - at));
            if (text.find(',', at) == std::string::npos)
                break;
        }
        if (parts.size() < 2 || parts.size() > 3)
            return false;
        for (size_t k = 0; k < parts.size(); ++k)
            if (!distanceValue(parts[k], p[k]))
                return false;
    }
    out = {from[0] + p[0], from[1] + p[1], from[2] + p[2]};
    return true;
}

// getpoint, getcorner, getdist, getangle and getorient, answered at the keyboard (there is
// no pointing device here): a point typed as pointValue reads it; a distance or an angle
// typed in the current units, or shown by two points, the first the base point where one is
// given.
Value getGeometry(Interp& in, Args& a, char kind)
{
    needCount(a, kind == 'c' ? 1 : 0, 2);
    std::vector<double> base;
    size_t msgAt = 0;
    if (kind == 'c' || (!a.empty() && (isNil(a[0]) || a[0]->type == Type::Cons))) {
        if (!isNil(a[0]) || kind == 'c')
            base = point(a[0]);
        msgAt = 1;
    }
    Shape shape = takeShape(in);
    int bits = shape.bits;
    bool points = kind == 'p' || kind == 'c', distance = kind == 'd';
    const char* problem = points ? (shape.keywords.empty() ? "Invalid point." : "Point or option keyword required.")
                          : distance ? (base.empty() ? "Requires numeric distance or two points."
                                                     : "Requires numeric distance or second point.")
                                     : (base.empty() ? "Requires valid numeric angle or two points."
                                                     : "Requires valid numeric angle or second point.");
    std::string line;
    Value result;
    while (!answerEnds(in, a, msgAt, shape, line, result)) {
        std::vector<double> p, from = base;
        double v = 0;
        bool ok = false;
        if (!points && !line.empty() && line.find(',') == std::string::npos && line.find('@') == std::string::npos &&
            (distance ? distanceValue(line, v) : directionValue(in, line, v))) {
            ok = true;
        } else if (pointValue(in, line, p)) {
            in.lastPoint = p;
            if (kind == 'c')
                p[2] = systemReal(in, "ELEVATION", 0);  // the corner is at the elevation
            if (points)
                return makePoint(p);
            ok = true;
            if (from.empty()) {  // the first of two points: the second is asked for
                from = p;
                Args second{makeStr("Specify second point: ")};
                if (!ask(in, second, 0, line))
                    return nullptr;
                ok = pointValue(in, line, p);
                if (ok)
                    in.lastPoint = p;
            }
            if (ok) {
                double dx = p[0] - from[0], dy = p[1] - from[1];
                double dz = from.size() > 2 && !(bits & 64) ? p[2] - from[2] : 0;
                v = distance ? std::sqrt(dx * dx + dy * dy + dz * dz) : std::atan2(dy, dx);
            }
        }
        if (ok && !distance)
            v = normalAngle(kind == 'a' ? v - systemReal(in, "ANGBASE", 0) : v);
        const char* refusal = !ok ? problem
                              : (bits & 2) && v == 0 ? "Value must be nonzero."
                              : distance && (bits & 4) && v < 0 ? "Value must be positive."
                                                                 : nullptr;
        if (!refusal)
            return makeReal(v);
        if (bits & 128)
            return makeStr(line);
        in.write(std::string(refusal) + "\n");
    }
    return result;
}

const Reg kInput[] = {
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
         return makeStr(line.substr(0, 132));  // the most the host's command line gives back
     }},
    {"GETINT", [](Interp& in, Args& a) { return getInput(in, a, 'i'); }},
    {"GETREAL", [](Interp& in, Args& a) { return getInput(in, a, 'r'); }},
    {"GETKWORD", [](Interp& in, Args& a) { return getInput(in, a, 'k'); }},
    {"GETPOINT", [](Interp& in, Args& a) { return getGeometry(in, a, 'p'); }},  // (getpoint [pt] [msg])
    {"GETCORNER", [](Interp& in, Args& a) { return getGeometry(in, a, 'c'); }},  // (getcorner pt [msg])
    {"GETDIST", [](Interp& in, Args& a) { return getGeometry(in, a, 'd'); }},
    {"GETANGLE", [](Interp& in, Args& a) { return getGeometry(in, a, 'a'); }},  // from ANGBASE
    {"GETORIENT", [](Interp& in, Args& a) { return getGeometry(in, a, 'o'); }},  // from the X axis
    {"INITGET",
     [](Interp& in, Args& a) -> Value {
         needCount(a, 0, 2);
         in.inputBits = 0;
         in.keywords.clear();
         for (const Value& v : a)
             (v && v->type == Type::Int) ? void(in.inputBits = v->i) : void(in.keywords = str(v));
         return nullptr;
     }},
};

}  // namespace

Family inputBuiltins() { return family(kInput); }

}  // namespace lisp
