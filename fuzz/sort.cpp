// The fast sort against the definition of its order, on chains of one or mixed types.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "chain.h"
#include "sortlistcore.h"
#include "sortreference.h"

namespace {

resbuf* copyChain(const resbuf* rb)
{
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (; rb; rb = rb->rbnext) {
        auto* c = static_cast<resbuf*>(std::malloc(sizeof(resbuf)));
        *c = *rb;
        c->rbnext = nullptr;
        if (rb->restype == RTSTR) {
            c->resval.rstring = static_cast<char*>(std::malloc(std::strlen(rb->resval.rstring) + 1));
            std::strcpy(c->resval.rstring, rb->resval.rstring);
        }
        *link = c;
        link = &c->rbnext;
    }
    return head;
}

bool same(const resbuf* a, const resbuf* b)
{
    for (; a && b; a = a->rbnext, b = b->rbnext) {
        if (a->restype != b->restype)
            return false;
        if (a->restype == RTSHORT && a->resval.rint != b->resval.rint)
            return false;
        if (a->restype == RTREAL && std::memcmp(&a->resval.rreal, &b->resval.rreal, sizeof(double)) != 0)
            return false;
        if (a->restype == RTSTR && std::strcmp(a->resval.rstring, b->resval.rstring) != 0)
            return false;
    }
    return !a && !b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    // Mostly one type, as sortable lists are; a mixed record now and then.
    static const short types[] = {RTSHORT, RTREAL, RTSTR};
    short type = types[in.byte() % 3];
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (int n = 0; n < 200 && !in.empty(); ++n) {
        uint8_t pick = in.byte();
        auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
        rb->restype = pick == 0xFF ? types[in.byte() % 3] : type;
        switch (rb->restype) {
        case RTSHORT: rb->resval.rint = static_cast<short>(in.word()); break;
        case RTREAL: rb->resval.rreal = (pick & 1) ? in.real() : (in.byte() % 7) - 3.0; break;
        default: rb->resval.rstring = in.string(6); break;
        }
        *link = rb;
        link = &rb->rbnext;
    }
    resbuf* expected = copyChain(head);
    bool sortable = sortreference::referenceSort(expected);
    SortResult result = sortChain(head);
    if (sortable != (result == SortResult::Sorted))
        std::abort();
    if (sortable && !same(head, expected))
        std::abort();
    freeChain(head);
    freeChain(expected);
    return 0;
}
