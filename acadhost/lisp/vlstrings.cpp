// Strings, character by character: positions, common prefixes, translation, and sorting
// lists of them.
#include <algorithm>
#include <cctype>

#include "builtins.h"

namespace lisp {

namespace {

// A position argument: from 0, and not past the end (the end itself is allowed).
size_t position(const Value& v, size_t size)
{
    int32_t k = integer(v);
    if (k < 0 || static_cast<size_t>(k) > size)
        badValue(v);
    return static_cast<size_t>(k);
}

// Case-blind first, then by bytes, so that the order is total.
bool alphabetical(const std::string& x, const std::string& y)
{
    return lessFolded(x, y) || (!lessFolded(y, x) && x < y);
}

const Reg kCharacters[] = {
    {"VL-STRING-ELT",  // the code of the character at a position from 0
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         const std::string& s = str(a[0]);
         int32_t k = integer(a[1]);
         if (k < 0 || static_cast<size_t>(k) >= s.size())
             badValue(a[1]);
         return makeInt(static_cast<unsigned char>(s[static_cast<size_t>(k)]));
     }},
    {"VL-STRING-POSITION",  // (vl-string-position CODE STRING [START [FROM-END]])
     [](Interp&, Args& a) -> Value {
         needCount(a, 2, 4);
         int32_t code = integer(a[0]);
         const std::string& s = str(a[1]);
         size_t start = a.size() >= 3 && !isNil(a[2]) ? position(a[2], s.size()) : 0;
         bool fromEnd = a.size() == 4 && !isNil(a[3]);
         if (code < 0 || code > 255)
             return nullptr;
         char ch = static_cast<char>(code);
         size_t k = fromEnd ? s.rfind(ch) : s.find(ch, start);
         if (k == std::string::npos || k < start)
             return nullptr;
         return makeInt(static_cast<int32_t>(k));
     }},
    {"VL-STRING-MISMATCH",  // (vl-string-mismatch S1 S2 [POS1 POS2 IGNORE-CASE]): the common prefix's length
     [](Interp&, Args& a) {
         needCount(a, 2, 5);
         const std::string &s1 = str(a[0]), &s2 = str(a[1]);
         size_t i = a.size() >= 3 && !isNil(a[2]) ? position(a[2], s1.size()) : 0;
         size_t j = a.size() >= 4 && !isNil(a[3]) ? position(a[3], s2.size()) : 0;
         bool blind = a.size() == 5 && !isNil(a[4]);
         int32_t n = 0;
         for (; i < s1.size() && j < s2.size(); ++i, ++j, ++n)
             if (blind ? foldCase(s1[i]) != foldCase(s2[j]) : s1[i] != s2[j])
                 break;
         return makeInt(n);
     }},
    {"VL-STRING-TRANSLATE",  // each character of FROM becomes the one at its place in TO
     [](Interp&, Args& a) {
         needCount(a, 3, 3);
         const std::string &from = str(a[0]), &to = str(a[1]);
         std::string s = str(a[2]);
         for (char& ch : s) {
             size_t k = from.find(ch);
             if (k != std::string::npos && k < to.size())
                 ch = to[k];
         }
         return makeStr(s);
     }},
    {"ACAD_STRLSORT",  // alphabetical; nil for anything but a list of strings
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         std::vector<std::string> texts;
         Value p = a[0];
         for (; p && p->type == Type::Cons; p = p->cdr) {
             if (!p->car || p->car->type != Type::Str)
                 return nullptr;
             texts.push_back(p->car->s);
         }
         if (p)
             return nullptr;
         std::stable_sort(texts.begin(), texts.end(), alphabetical);
         std::vector<Value> out;
         for (const std::string& t : texts)
             out.push_back(makeStr(t));
         return listFrom(out);
     }},
};

}  // namespace

Family characterBuiltins() { return family(kCharacters); }

}  // namespace lisp
