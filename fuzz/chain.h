// Record chains made from fuzz bytes, each record in its own heap block so that the
// sanitizer sees every overrun; strings are exactly as long as their bytes say.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "adsdef.h"

class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
    bool empty() const { return p_ >= end_; }
    uint8_t byte() { return empty() ? 0 : *p_++; }
    uint16_t word() { return static_cast<uint16_t>(byte() | (byte() << 8)); }
    double real()
    {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // Up to limit bytes, as a fresh zero-terminated heap string.
    char* string(size_t limit)
    {
        size_t n = word() % (limit + 1);
        if (n > static_cast<size_t>(end_ - p_))
            n = static_cast<size_t>(end_ - p_);
        char* s = static_cast<char*>(std::malloc(n + 1));
        std::memcpy(s, p_, n);
        s[n] = '\0';
        p_ += n;
        return s;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

inline void freeChain(resbuf* rb)
{
    while (rb) {
        resbuf* next = rb->rbnext;
        if (rb->restype == RTSTR)
            std::free(rb->resval.rstring);
        std::free(rb);
        rb = next;
    }
}

// A chain of any of the record types the host sends, in any order.
inline resbuf* fuzzChain(FuzzBytes& in, size_t maxRecords = 64)
{
    static const short types[] = {RTSHORT, RTLONG, RTREAL, RTSTR,   RTNIL,    RTT,
                                  RTLB,    RTLE,   RTDOTE, RTPOINT, RT3DPOINT, RTVOID};
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (size_t n = 0; n < maxRecords && !in.empty(); ++n) {
        auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
        rb->restype = types[in.byte() % (sizeof types / sizeof types[0])];
        switch (rb->restype) {
        case RTSHORT: rb->resval.rint = static_cast<short>(in.word()); break;
        case RTLONG: rb->resval.rlong = static_cast<int32_t>(in.word() | (in.word() << 16)); break;
        case RTREAL: rb->resval.rreal = in.real(); break;
        case RTSTR: rb->resval.rstring = in.string(40000); break;
        case RTPOINT:
        case RT3DPOINT:
            for (double& d : rb->resval.rpoint)
                d = in.real();
            break;
        default: break;
        }
        *link = rb;
        link = &rb->rbnext;
    }
    return head;
}
