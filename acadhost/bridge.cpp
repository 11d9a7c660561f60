#include "bridge.h"

#include <vector>

using lisp::Cell;
using lisp::Type;
using lisp::Value;

namespace {

bool isPoint(const Cell* v, int& count)
{
    count = 0;
    for (const Cell* p = v; p; p = p->cdr.get()) {
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

    // One value; a list's elements are added with a stack of the lists still open, so
    // that any length or nesting converts. The arguments hold every cell while they convert:
    // the walk takes no reference of its own.
    void value(const Cell* v)
    {
        std::vector<const Cell*> open;  // what remains of each open list
        one(v, open);
        while (!open.empty()) {
            const Cell* rest = open.back();
            if (rest && rest->type == Type::Cons) {
                open.back() = rest->cdr.get();
                one(rest->car.get(), open);
            } else {
                open.pop_back();
                if (rest) {
                    add(RTDOTE);
                    one(rest, open);  // an atom: the tail of a dotted list
                }
                add(RTLE);
            }
        }
    }

    void one(const Cell* v, std::vector<const Cell*>& open)
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
        } else if (v->type == Type::Sym && v->s == "T") {
            add(RTT);
        } else if (v->type != Type::Cons) {
            add(RTSTR)->resval.rstring = recordString(v->s.c_str());
        } else if (isPoint(v, points)) {
            resbuf* rb = add(points == 2 ? RTPOINT : RT3DPOINT);
            int k = 0;
            for (const Cell* p = v; p; p = p->cdr.get())
                rb->resval.rpoint[k++] = lisp::toDouble(p->car);
        } else {
            add(RTLB);
            open.push_back(v);
        }
    }
};

}  // namespace

resbuf* argumentChain(RecordPool& pool, const lisp::Args& args)
{
    ChainBuilder b{pool};
    for (const Value& v : args)
        b.value(v.get());
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
    bool afterDot = false;  // a group after a dot: the tail of the list around it
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

// Reads the chain with a stack of the groups still open, so that any nesting converts.
class ChainReader {
public:
    explicit ChainReader(const resbuf* rb) : rb_(rb), open_(1) {}

    bool read(Value& out, std::string& problem)
    {
        while (rb_) {
            int type = rb_->restype;
            if (type == RTLE) {
                if (open_.size() == 1)
                    return fail(problem, "result list has a list end without a begin");
                rb_ = rb_->rbnext;
                if (!close(problem))
                    return false;
            } else if (type == RTDOTE) {
                rb_ = rb_->rbnext;
                if (open_.size() == 1 || !open_.back().tail || !rb_ || rb_->restype == RTLE || rb_->restype == RTDOTE)
                    return fail(problem, "result list has a misplaced dot");
                if (rb_->restype == RTLB) {
                    rb_ = rb_->rbnext;
                    open_.emplace_back();
                    open_.back().afterDot = true;
                    continue;
                }
                open_.back().tail->cdr = recordValue(rb_);
                rb_ = rb_->rbnext;
                if (!endAfterDot(problem) || !close(problem))
                    return false;
            } else if (type == RTLB) {
                rb_ = rb_->rbnext;
                open_.emplace_back();
            } else {
                open_.back().add(recordValue(rb_));
                rb_ = rb_->rbnext;
            }
        }
        if (open_.size() > 1)
            return fail(problem, "result list has no list end");
        out = std::move(open_.back().head);
        return true;
    }

private:
    static bool fail(std::string& problem, const char* what)
    {
        problem = what;
        return false;
    }

    bool endAfterDot(std::string& problem)
    {
        if (!rb_ || rb_->restype != RTLE)
            return fail(problem, "result list has more than one value after a dot");
        rb_ = rb_->rbnext;
        return true;
    }

    // Closes the innermost group; one that followed a dot closes the group around it too.
    bool close(std::string& problem)
    {
        for (;;) {
            ListBuilder done = std::move(open_.back());
            open_.pop_back();
            if (!done.afterDot) {
                open_.back().add(std::move(done.head));
                return true;
            }
            open_.back().tail->cdr = std::move(done.head);
            if (!endAfterDot(problem))
                return false;
        }
    }

    const resbuf* rb_;
    std::vector<ListBuilder> open_;
};

}  // namespace

bool chainValue(const resbuf* chain, Value& out, std::string& problem)
{
    if (!ChainReader(chain).read(out, problem))
        return false;
    // One group spanning the whole chain is the list itself.
    if (chain && chain->restype == RTLB && out && !out->cdr && (!out->car || out->car->type == Type::Cons))
        out = out->car;
    return true;
}
