// menucmd's "M=" strings: the host's macro language, $(FUNCTION,ARGUMENT,...), each argument
// expanded before the call, the text around the calls copied as it stands. There are no menus
// here, so menucmd answers every other string with nil.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "builtins.h"

namespace lisp {

namespace {

const size_t kMostArguments = 10;  // the function's name and nine
// Calls inside calls, $(eval)'s included: deeper text is a syntax error, not a stack overflow.
const int kDeepest = 100;

// What the language writes in place of a call it cannot make.
struct Refusal {
    std::string text;
};

// A number as the language writes it: at most fifteen digits, no trailing zeros.
std::string numberText(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.15g", v == 0 ? 0.0 : v);
    return text;
}

bool numberOf(const std::string& text, double& v)
{
    const char* end;
    v = decimal(text.c_str(), &end);
    while (*end == ' ')
        ++end;
    return end != text.c_str() && *end == '\0';
}

// A value of LISP as text: numbers as above, a point as X,Y[,Z].
std::string valueText(const Value& v)
{
    if (!v)
        return "";
    if (v->type == Type::Str)
        return v->s;
    if (isNumber(v))
        return v->type == Type::Int ? std::to_string(v->i) : numberText(v->r);
    std::string text;
    for (Value q = v; q && q->type == Type::Cons; q = q->cdr)
        text += (text.empty() ? "" : ",") + valueText(q->car);
    return text;
}

const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

// edtime: the Julian date TIME (the day's number and the part of it gone) written as PICTURE
// says. Codes: D DD DDD DDDD (the day, its name), M MO MON MONTH, YY YYYY, H HH MM SS MSEC,
// AM/PM am/pm A/P a/p (which make the hours count to twelve); the rest is copied.
std::string edtime(double time, const std::string& picture)
{
    long day = static_cast<long>(std::floor(time));
    long ms = std::lround((time - static_cast<double>(day)) * 86400000.0);
    if (ms >= 86400000L)
        ++day, ms -= 86400000L;
    // The civil date of the day's number.
    long a = day + 32044, b = (4 * a + 3) / 146097, c = a - 146097 * b / 4;
    long d = (4 * c + 3) / 1461, e = c - 1461 * d / 4, m = (5 * e + 2) / 153;
    long mday = e - (153 * m + 2) / 5 + 1, month = m + 3 - 12 * (m / 10), year = 100 * b + d - 4800 + m / 10;
    long weekday = (day + 1) % 7;
    long hour = ms / 3600000, minute = ms / 60000 % 60, second = ms / 1000 % 60, milli = ms % 1000;
    static const char* const kCodes[] = {"DDDD", "DDD", "DD",  "D",     "MONTH", "MON", "MO", "MSEC", "MM", "M",
                                         "YYYY", "YY",  "HH",  "H",     "SS",    "AM/PM", "am/pm", "A/P", "a/p"};
    bool twelve = picture.find("AM/PM") != std::string::npos || picture.find("am/pm") != std::string::npos ||
                  picture.find("A/P") != std::string::npos || picture.find("a/p") != std::string::npos;
    long clock = twelve ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
    bool pm = hour >= 12;
    auto two = [](long v) {
        char text[16];
        std::snprintf(text, sizeof text, "%02ld", v);
        return std::string(text);
    };
    std::string out;
    for (size_t at = 0; at < picture.size();) {
        std::string code;
        for (const char* c : kCodes)
            if (picture.compare(at, std::strlen(c), c) == 0) {
                code = c;
                break;
            }
        if (code.empty()) {
            out += picture[at++];
            continue;
        }
        at += code.size();
        if (code == "D") out += std::to_string(mday);
        else if (code == "DD") out += two(mday);
        else if (code == "DDD") out += std::string(kDays[weekday], 3);
        else if (code == "DDDD") out += kDays[weekday];
        else if (code == "M") out += std::to_string(month);
        else if (code == "MO") out += two(month);
        else if (code == "MON") out += std::string(kMonths[month - 1], 3);
        else if (code == "MONTH") out += kMonths[month - 1];
        else if (code == "YY") out += two(year % 100);
        else if (code == "YYYY") out += std::to_string(year);
        else if (code == "H") out += std::to_string(clock);
        else if (code == "HH") out += two(clock);
        else if (code == "MM") out += two(minute);
        else if (code == "SS") out += two(second);
        else if (code == "MSEC") out += std::to_string(1000 + milli).substr(1);
        else if (code == "AM/PM") out += pm ? "PM" : "AM";
        else if (code == "am/pm") out += pm ? "pm" : "am";
        else if (code == "A/P") out += pm ? "P" : "A";
        else out += pm ? "p" : "a";
    }
    return out;
}

class Expander {
public:
    Expander(Interp& in, int& depth) : in_(in), depth_(depth) {}

    // TEXT with every call expanded; "$?" where a call is not closed.
    std::string expand(const std::string& text)
    {
        text_ = &text;
        at_ = 0;
        std::string out;
        while (at_ < text.size()) {
            if (text.compare(at_, 2, "$(") == 0) {
                size_t start = at_;
                if (!call(out)) {
                    at_ = start + 2;
                    out += "$?";
                }
            } else {
                out += text[at_++];
            }
        }
        return out;
    }

private:
    // The call at "$(", its result added to OUT; false when the text ends inside it.
    bool call(std::string& out)
    {
        if (depth_ >= kDeepest)
            return false;
        ++depth_;
        bool closed = callAt(out);
        --depth_;
        return closed;
    }

    bool callAt(std::string& out)
    {
        at_ += 2;
        std::vector<std::string> args;
        for (;;) {
            std::string arg;
            if (!argument(arg))
                return false;
            args.push_back(arg);
            char end = (*text_)[at_++];
            if (end == ')')
                break;
        }
        try {
            out += apply(args);
        } catch (const Refusal& refusal) {
            out += refusal.text;
        }
        return true;
    }

    // One argument, up to the comma or parenthesis that ends it, its leading blanks left
    // out: calls expanded, a quoted part copied without its quotes ("" in it is one quote).
    bool argument(std::string& arg)
    {
        const std::string& text = *text_;
        while (at_ < text.size() && text[at_] == ' ')
            ++at_;
        while (at_ < text.size()) {
            char c = text[at_];
            if (c == ',' || c == ')')
                return true;
            if (text.compare(at_, 2, "$(") == 0) {
                if (!call(arg))
                    return false;
            } else if (c == '"') {
                for (++at_; at_ < text.size(); ++at_) {
                    if (text[at_] == '"' && text.compare(at_, 2, "\"\"") != 0)
                        break;
                    if (text[at_] == '"')
                        ++at_;  // the first of two
                    arg += text[at_];
                }
                if (at_ >= text.size())
                    return false;
                ++at_;
            } else {
                arg += c;
                ++at_;
            }
        }
        return false;
    }

    std::string apply(const std::vector<std::string>& args)
    {
        std::string name = toLower(args[0]);
        size_t n = args.size() - 1;
        Refusal refused{"$(" + name + ",?\?)"};
        auto count = [&](size_t least, size_t most) {
            if (n < least || n > most)
                throw refused;
        };
        auto number = [&](size_t k) {
            double v;
            if (!numberOf(args[k], v))
                throw refused;
            return v;
        };
        auto whole = [&](size_t k) {
            double v = number(k);
            if (!(std::fabs(v) < 2147483648.0))
                throw refused;
            return static_cast<long>(v);
        };
        auto truth = [](bool b) { return std::string(b ? "1" : "0"); };
        if (args.size() > kMostArguments)
            throw refused;
        if (name == "+" || name == "-" || name == "*" || name == "/") {
            count(1, 9);
            double v = number(1);
            for (size_t k = 2; k <= n; ++k) {
                double w = number(k);
                if (name == "/" && w == 0)
                    throw refused;
                v = name == "+" ? v + w : name == "-" ? v - w : name == "*" ? v * w : v / w;
            }
            return numberText(v);
        }
        if (name == "=" || name == "<" || name == ">" || name == "!=" || name == "<=" || name == ">=") {
            count(2, 2);
            double x = number(1), y = number(2);
            return truth(name == "=" ? x == y : name == "<" ? x < y : name == ">" ? x > y : name == "!=" ? x != y
                                                                           : name == "<=" ? x <= y : x >= y);
        }
        if (name == "and" || name == "or" || name == "xor") {
            count(1, 9);
            long v = whole(1);
            for (size_t k = 2; k <= n; ++k)
                v = name == "and" ? v & whole(k) : name == "or" ? v | whole(k) : v ^ whole(k);
            return std::to_string(v);
        }
        if (name == "eq") {
            count(2, 2);
            return truth(args[1] == args[2]);
        }
        if (name == "if") {
            count(2, 3);
            return number(1) != 0 ? args[2] : n == 3 ? args[3] : "";
        }
        if (name == "fix") {
            count(1, 1);
            return std::to_string(whole(1));
        }
        if (name == "strlen") {
            count(1, 1);
            return std::to_string(args[1].size());
        }
        if (name == "upper") {
            count(1, 1);
            return toUpper(args[1]);
        }
        if (name == "substr") {  // from the 1-based START, LENGTH characters or the rest
            count(2, 3);
            long start = whole(2), length = n == 3 ? whole(3) : static_cast<long>(args[1].size());
            if (start < 1 || length < 0)
                throw refused;
            size_t from = static_cast<size_t>(start - 1);
            return from >= args[1].size() ? "" : args[1].substr(from, static_cast<size_t>(length));
        }
        if (name == "index") {  // item WHICH (from 0) of a comma list
            count(2, 2);
            long which = whole(1);
            const std::string& list = args[2];
            size_t from = 0;
            for (long k = 0; k < which && from != std::string::npos; ++k)
                from = list.find(',', from) == std::string::npos ? std::string::npos : list.find(',', from) + 1;
            if (which < 0 || from == std::string::npos)
                return "";
            return list.substr(from, list.find(',', from) - from);
        }
        if (name == "nth") {  // argument WHICH (from 0) of those after it
            count(1, 9);
            long which = whole(1);
            return which >= 0 && static_cast<size_t>(which) + 2 <= n ? args[static_cast<size_t>(which) + 2] : "";
        }
        if (name == "getvar") {
            count(1, 1);
            Value v = callIfDefined(in_, "GETVAR", {makeStr(args[1])});
            if (!v)
                throw refused;
            return valueText(v);
        }
        if (name == "getenv") {
            count(1, 1);
            return valueText(callIfDefined(in_, "GETENV", {makeStr(args[1])}));
        }
        if (name == "rtos" || name == "angtos") {  // the LISP function's defaults for what is left out
            count(1, 3);
            Args values{makeReal(number(1))};
            for (size_t k = 2; k <= n; ++k)
                values.push_back(makeInt(static_cast<int32_t>(whole(k))));
            try {
                Value v = callIfDefined(in_, name == "rtos" ? "RTOS" : "ANGTOS", values);
                if (!v)
                    throw refused;
                return valueText(v);
            } catch (const Error&) {  // a mode or a precision the function refuses
                throw refused;
            }
        }
        if (name == "edtime") {  // from the start of the Julian days to the year 22,000
            count(2, 2);
            double time = number(1);
            if (!(time >= 0 && time < 1e7))
                throw refused;
            return edtime(time, args[2]);
        }
        if (name == "eval") {
            count(1, 1);
            return Expander(in_, depth_).expand(args[1]);
        }
        throw Refusal{"$(" + name + ")?\?"};
    }

    Interp& in_;
    int& depth_;
    const std::string* text_ = nullptr;
    size_t at_ = 0;
};

const Reg kDiesel[] = {
    {"MENUCMD",  // (menucmd "M=TEXT"): TEXT expanded
     [](Interp& in, Args& a) -> Value {
         needCount(a, 1, 1);
         const std::string& text = str(a[0]);
         if (text.size() < 2 || toUpper(text.substr(0, 2)) != "M=")
             return nullptr;
         int depth = 0;
         return makeStr(Expander(in, depth).expand(text.substr(2)));
     }},
};

}  // namespace

Family dieselBuiltins() { return family(kDiesel); }

}  // namespace lisp
