#include "sortchain.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace {

bool less(const resbuf* a, const resbuf* b)
{
    switch (a->restype) {
    case RTREAL: return a->resval.rreal < b->resval.rreal;
    case RTSHORT: return a->resval.rint < b->resval.rint;
    default: return std::strcmp(a->resval.rstring, b->resval.rstring) < 0;  // strcmp compares unsigned bytes
    }
}

// The exchange sort the order is defined by, for reals that no ordering sorts (a NaN
// compares false with everything, so it stays where the swaps leave it): n passes, each
// swapping a record with its successor when greater; the first and second make n - 1
// comparisons, each later one one fewer.
void exchangeSort(std::vector<resbuf*>& v)
{
    size_t n = v.size();
    for (size_t pass = 0; pass < n; ++pass) {
        size_t comparisons = pass == 0 ? n - 1 : n - pass;
        for (size_t k = 0; k < comparisons && k + 1 < n; ++k)
            if (v[k]->resval.rreal > v[k + 1]->resval.rreal)
                std::swap(v[k], v[k + 1]);
    }
}

// Numbers sort by their keys, kept beside their records: an unsigned 64-bit image of the
// value whose order is the numbers' order, sorted digit by digit from the lowest (a radix
// sort, stable, so equal numbers keep their order). The negative zero is the zero.
uint64_t orderKey(const resbuf* rb)
{
    if (rb->restype == RTSHORT)
        return static_cast<uint16_t>(rb->resval.rint) ^ 0x8000u;
    double d = rb->resval.rreal == 0.0 ? 0.0 : rb->resval.rreal;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
}

void sortNumbers(std::vector<resbuf*>& v)
{
    struct Keyed {
        uint64_t key;
        resbuf* rb;
    };
    size_t n = v.size();
    std::vector<Keyed> a(n), b(n);
    for (size_t k = 0; k < n; ++k)
        a[k] = {orderKey(v[k]), v[k]};
    for (int shift = 0; shift < 64; shift += 8) {
        size_t count[257] = {};
        for (const Keyed& x : a)
            ++count[((x.key >> shift) & 0xFF) + 1];
        if (count[((a[0].key >> shift) & 0xFF) + 1] == n)
            continue;  // every key has this digit
        for (int d = 0; d < 256; ++d)
            count[d + 1] += count[d];
        for (const Keyed& x : a)
            b[count[(x.key >> shift) & 0xFF]++] = x;
        a.swap(b);
    }
    for (size_t k = 0; k < n; ++k)
        v[k] = a[k].rb;
}

}  // namespace

SortResult sortChain(struct resbuf*& head)
{
    if (!head)
        return SortResult::Sorted;
    short type = head->restype;
    bool nan = false;
    size_t n = 0;
    for (resbuf* rb = head; rb; rb = rb->rbnext, ++n) {
        if (rb->restype != type)
            return SortResult::MixedTypes;
        nan = nan || (type == RTREAL && std::isnan(rb->resval.rreal));
    }
    if (type != RTREAL && type != RTSHORT && type != RTSTR)
        return SortResult::Sorted;  // not compared, not moved
    try {
        std::vector<resbuf*> v;
        v.reserve(n);
        for (resbuf* rb = head; rb; rb = rb->rbnext)
            v.push_back(rb);
        if (nan)
            exchangeSort(v);
        else if (type == RTSTR)
            std::stable_sort(v.begin(), v.end(), less);
        else
            sortNumbers(v);
        for (size_t k = 0; k + 1 < n; ++k)
            v[k]->rbnext = v[k + 1];
        v[n - 1]->rbnext = nullptr;
        head = v[0];
    } catch (const std::bad_alloc&) {
        return SortResult::NoMemory;
    }
    return SortResult::Sorted;
}
