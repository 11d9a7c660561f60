// Lists, functions of functions and the predicates.
#include <algorithm>
#include <vector>

#include "builtins.h"

namespace lisp {

namespace {

// A stable merge sort by a LISP comparison (before(x, y) true when x goes first): safe with
// any comparison, however inconsistent.
template <class T, class Before>
void mergeSort(std::vector<T>& v, std::vector<T>& tmp, size_t lo, size_t hi, Before before)
{
    if (hi - lo < 2)
        return;
    size_t mid = lo + (hi - lo) / 2;
    mergeSort(v, tmp, lo, mid, before);
    mergeSort(v, tmp, mid, hi, before);
    size_t i = lo, j = mid, k = lo;
    while (i < mid && j < hi)
        tmp[k++] = before(v[j], v[i]) ? v[j++] : v[i++];
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

// The list from the first element for which the predicate is (is) or is not true.
Value memberIf(Interp& in, Args& a, bool is)
{
    needCount(a, 2, 2);
    for (Value p = list(a[1]); p && p->type == Type::Cons; p = p->cdr)
        if (truthy(in, function(a[0]), {p->car}) == is)
            return p;
    return nullptr;
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

const Reg kLists[] = {
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
    {"VL-LIST*",  // (vl-list* A B ... TAIL): the last argument is the tail
     [](Interp&, Args& a) {
         needCount(a, 1, SIZE_MAX);
         return listFrom(std::vector<Value>(a.begin(), a.end() - 1), a.back());
     }},
    {"VL-LIST-LENGTH",  // nil for a dotted list
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         int32_t n = 0;
         Value p = list(a[0]);
         for (; p && p->type == Type::Cons; p = p->cdr)
             ++n;
         return p ? nullptr : makeInt(n);
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
         Value less = function(a[1]);
         mergeSort(v, tmp, 0, v.size(), [&](const Value& x, const Value& y) { return truthy(in, less, {x, y}); });
         for (const Value& x : v) {
             bool again = !out.empty() && x && out.back() && x->type == out.back()->type &&
                          ((x->type == Type::Int && x->i == out.back()->i) ||
                           (x->type == Type::Sym && x->s == out.back()->s));
             if (!again)
                 out.push_back(x);
         }
         return listFrom(out);
     }},
    {"VL-SORT-I",  // the places of the sorted elements; of equal ones the later first, as the host's
     [](Interp& in, Args& a) {
         needCount(a, 2, 2);
         std::vector<Value> items = elements(a[0]);
         std::vector<size_t> order, tmp(items.size());
         for (size_t k = items.size(); k-- > 0;)
             order.push_back(k);
         Value less = function(a[1]);
         mergeSort(order, tmp, 0, order.size(),
                   [&](size_t x, size_t y) { return truthy(in, less, {items[x], items[y]}); });
         std::vector<Value> out;
         for (size_t k : order)
             out.push_back(makeInt(static_cast<int32_t>(k)));
         return listFrom(out);
     }},
    {"VL-REMOVE-IF", [](Interp& in, Args& a) { return filter(in, a, false); }},
    {"VL-REMOVE-IF-NOT", [](Interp& in, Args& a) { return filter(in, a, true); }},
    {"VL-MEMBER-IF", [](Interp& in, Args& a) { return memberIf(in, a, true); }},
    {"VL-MEMBER-IF-NOT", [](Interp& in, Args& a) { return memberIf(in, a, false); }},
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
};

}  // namespace

Family listBuiltins() { return family(kLists); }

}  // namespace lisp
