// The reader: text to forms, one at a time.
#include "../lisp.h"
#include "builtins.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace lisp {

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
        if (ch == ';' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '|') {
            // ;| a block comment, on one line or many |;
            size_t end = text_.find("|;", pos_ + 2);
            pos_ = end == std::string::npos ? text_.size() : end + 2;
        } else if (ch == ';') {
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
        throw Error("extra right paren on input");
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
        if (errno == 0 && v > INT32_MIN && v <= INT32_MAX)  // -2147483648 is read as a real
            return makeInt(static_cast<int32_t>(v));
        return makeReal(std::strtod(p, nullptr));  // too large for an integer
    }
    bool hasDigit = false;
    for (char ch : tok)
        hasDigit = hasDigit || std::isdigit(static_cast<unsigned char>(ch));
    if (hasDigit) {
        const char* end;
        double d = decimal(p, &end);  // "0x1A" is a symbol
        if (end != p && *end == '\0')
            return makeReal(d);
    }
    if (toUpper(tok) == "NIL")
        return nullptr;
    return makeSym(tok);
}

}  // namespace lisp
