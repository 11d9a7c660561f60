// The definition of the sort's order: a literal transcription of the exchange sort, for
// the unit test and the fuzzer to hold the fast sort against.
#pragma once

#include "adsdef.h"

namespace sortreference {

inline bool greater(const resbuf* a, const resbuf* b)
{
    switch (a->restype) {
    case RTREAL: return a->resval.rreal > b->resval.rreal;
    case RTSHORT: return a->resval.rint > b->resval.rint;
    case RTSTR: {
        const unsigned char* x = reinterpret_cast<const unsigned char*>(a->resval.rstring);
        const unsigned char* y = reinterpret_cast<const unsigned char*>(b->resval.rstring);
        while (*x && *x == *y)
            ++x, ++y;
        return *x >= *y;  // strings swap when greater or equal
    }
    default: return false;  // not compared
    }
}

// The definition, step by step: passes from the head comparing each record with its
// successor and relinking on a swap; the first pass counts its comparisons, later ones stop
// at that count less the passes made after the first; as many passes as records.
inline bool referenceSort(resbuf*& head)
{
    if (!head)
        return true;
    short type = head->restype;
    size_t records = 0;
    for (resbuf* rb = head; rb; rb = rb->rbnext)
        ++records;
    size_t firstCount = 0;
    for (size_t pass = 0; pass < records; ++pass) {
        resbuf* prev = nullptr;
        resbuf* rb = head;
        size_t made = 0;
        while (rb && rb->rbnext) {
            if (pass > 0 && made >= firstCount - (pass - 1))
                break;
            resbuf* next = rb->rbnext;
            if (rb->restype != type || next->restype != type)
                return false;
            ++made;
            if (greater(rb, next)) {
                (prev ? prev->rbnext : head) = next;
                rb->rbnext = next->rbnext;
                next->rbnext = rb;
                prev = next;
            } else {
                prev = rb;
                rb = next;
            }
        }
        if (pass == 0)
            firstCount = made;
    }
    return true;
}

}  // namespace sortreference
