#include "bridge.h"

#include <vector>

using lisp::Cell;
using lisp::Type;
using lisp::Value;

namespace {

bool isPoint(const Value& v, int& count)
{
    count = 0;
    for (Value p = v; p; p = p->cdr) {
        if (p->type != Type::Cons || !lisp::isNumber(p->car) || ++count > 3)
            return false;
    }
    return count >= 2;
}

struct ChainBuilder {
    RecordPool& pool;
    resbuf* head = nullptr;
    resbuf* tail = nullptr;

    resbuf* add(int type)
    {
        resbuf* rb = pool.make(type, false);
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
        return rb;
    }

    void value(const Value& v)
    {
        int points = 0;
        if (!v || v->type == Type::Void) {
            add(RTNIL);
        } else if (v->type == Type::Int) {
            if (v->i >= -32768 && v->i <= 32767)
                add(RTSHORT)->resval.rint = static_cast<short>(v->i);
            else
                add(RTLONG)->resval.rlong = v->i;
        } else if (v->type == Type::Real) {
            add(RTREAL)->resval.rreal = v->r;
        } else if (v->type == Type::Str || (v->type == Type::Sym && v->s != "T")) {
            add(RTSTR)->resval.rstring = recordString(v->s.c_str());
        } else if (v->type == Type::Sym) {
            add(RTT);
        } else if (isPoint(v, points)) {
            resbuf* rb = add(points == 2 ? RTPOINT : RT3DPOINT);
            int k = 0;
            for (Value p = v; p; p = p->cdr)
                rb->resval.rpoint[k++] = lisp::toDouble(p->car);
        } else {
            add(RTLB);
            Value p = v;
            for (; p && p->type == Type::Cons; p = p->cdr)
                value(p->car);
            if (p) {
                add(RTDOTE);
                value(p);
            }
            add(RTLE);
        }
    }
};

}  // namespace

resbuf* argumentChain(RecordPool& pool, const lisp::Args& args)
{
    ChainBuilder b{pool};
    for (const Value& v : args)
        b.value(v);
    return b.head;
}

Value recordValue(const resbuf* rb)
{
    switch (rb->restype) {
    case RTSHORT: return lisp::makeInt(rb->resval.rint);
    case RTLONG: return lisp::makeInt(rb->resval.rlong);
    case RTREAL: return lisp::makeReal(rb->resval.rreal);
    case RTSTR: return lisp::makeStr(rb->resval.rstring ? rb->resval.rstring : "");
    case RTT: return lisp::symT();
    case RTPOINT:
        return lisp::listFrom({lisp::makeReal(rb->resval.rpoint[0]), lisp::makeReal(rb->resval.rpoint[1])});
    case RT3DPOINT:
        return lisp::listFrom({lisp::makeReal(rb->resval.rpoint[0]), lisp::makeReal(rb->resval.rpoint[1]),
                               lisp::makeReal(rb->resval.rpoint[2])});
    default: return nullptr;  // RTNIL, RTVOID
    }
}

namespace {

// Builds a list front to back.
struct ListBuilder {
    Value head;
    Cell* tail = nullptr;
    void add(Value v)
    {
        Value cell = lisp::cons(std::move(v), nullptr);
        Cell* raw = cell.get();
        if (tail)
            tail->cdr = std::move(cell);
        else
            head = std::move(cell);
        tail = raw;
    }
};

// Reads elements up to an RTLE (inside a group) or the end of the chain (at the top).
bool readElements(const resbuf*& rb, bool inGroup, Value& out, std::string& problem)
{
    ListBuilder items;
    for (;;) {
        if (!rb) {
            if (inGroup) {
                problem = "result list has no list end";
                return false;
            }
            break;
        }
        int type = rb->restype;
        if (type == RTLE) {
            if (!inGroup) {
                problem = "result list has a list end without a begin";
                return false;
            }
            rb = rb->rbnext;
            break;
        }
        if (type == RTDOTE) {
            rb = rb->rbnext;
            if (!inGroup || !items.tail || !rb || rb->restype == RTLE || rb->restype == RTDOTE) {
                problem = "result list has a misplaced dot";
                return false;
            }
            Value tail;
            if (rb->restype == RTLB) {
                rb = rb->rbnext;
                if (!readElements(rb, true, tail, problem))
                    return false;
            } else {
                tail = recordValue(rb);
                rb = rb->rbnext;
            }
            if (!rb || rb->restype != RTLE) {
                problem = "result list has more than one value after a dot";
                return false;
            }
            rb = rb->rbnext;
            items.tail->cdr = tail;
            break;
        }
        if (type == RTLB) {
            rb = rb->rbnext;
            Value sub;
            if (!readElements(rb, true, sub, problem))
                return false;
            items.add(std::move(sub));
            continue;
        }
        items.add(recordValue(rb));
        rb = rb->rbnext;
    }
    out = std::move(items.head);
    return true;
}

}  // namespace

bool chainValue(const resbuf* chain, Value& out, std::string& problem)
{
    const resbuf* rb = chain;
    if (!readElements(rb, false, out, problem))
        return false;
    // One group spanning the whole chain is the list itself.
    if (chain && chain->restype == RTLB && out && !out->cdr && (!out->car || out->car->type == Type::Cons))
        out = out->car;
    return true;
}
