#include "sortchain.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

namespace {

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

// The records with a key each, and as much again to sort them through: kept from one sort
// to the next, since a fresh block this large costs more than the sort itself (the system
// maps and zeroes it anew). It holds no values between calls.
struct Keyed {
    uint64_t key;
    resbuf* rb;
};

unsigned digit(const Keyed& k, int d) { return reinterpret_cast<const unsigned char*>(&k.key)[d]; }

Keyed* scratch(size_t n)
{
    static std::vector<Keyed> memory;
    if (memory.size() < 2 * n)
        memory.resize(2 * n);
    return memory.data();
}

// Numbers: radix sorted; the sorted records are left in a[0] to a[n - 1]. One pass counts
// every digit of every key; each digit is then read as a byte of the key in memory, since a
// 32-bit processor shifts a 64-bit number by a varying count only in several steps.
void sortNumbers(Keyed* a, size_t n)
{
    static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "digit d of a key is its byte d");
    size_t count[8][256] = {};
    for (size_t k = 0; k < n; ++k)
        for (int d = 0; d < 8; ++d)
            ++count[d][digit(a[k], d)];
    Keyed* from = a;
    Keyed* to = a + n;
    for (int d = 0; d < 8; ++d) {
        size_t* c = count[d];
        if (c[digit(from[0], d)] == n)
            continue;  // every key has this digit
        size_t at = 0;
        for (int v = 0; v < 256; ++v) {
            size_t here = c[v];
            c[v] = at;
            at += here;
        }
        for (size_t k = 0; k < n; ++k)
            to[c[digit(from[k], d)]++] = from[k];
        std::swap(from, to);
    }
    if (from != a)
        std::copy(from, from + n, a);
}

// Strings: keyed by their first eight bytes, most significant first, so that most
// comparisons are one of two numbers; the bytes after them decide between equal keys. A key
// with a zero byte holds the whole string. Equal strings are the same text, so which comes
// first is not seen.
uint64_t prefixKey(const char* s)
{
    uint64_t key = 0;
    bool ended = false;
    for (int k = 0; k < 8; ++k) {
        ended = ended || s[k] == '\0';
        key = key << 8 | (ended ? 0u : static_cast<unsigned char>(s[k]));
    }
    return key;
}

bool prefixLess(const Keyed& a, const Keyed& b)
{
    if (a.key != b.key)
        return a.key < b.key;
    if ((a.key & 0xFF) == 0)
        return false;  // both strings end within the key: equal
    return std::strcmp(a.rb->resval.rstring + 8, b.rb->resval.rstring + 8) < 0;
}

// The sorted values go into the records in the chain's own order instead of the records
// being relinked: the host then walks and releases the list in the order its records were
// made, where a shuffled chain would miss the cache at nearly every record. Each value is
// moved with its own bits, so equal numbers (a zero and a negative zero) keep their order.
// The values wait in the scratch's second half, free once sorted.
void moveValuesInOrder(resbuf* head, Keyed* a, size_t n)
{
    static_assert(sizeof(double) == sizeof(uint64_t) && sizeof(char*) <= sizeof(uint64_t),
                  "a real, a 16-bit integer and a string pointer fit in a key");
    Keyed* values = a + n;
    for (size_t k = 0; k < n; ++k)
        std::memcpy(&values[k].key, &a[k].rb->resval, sizeof(uint64_t));
    size_t k = 0;
    for (resbuf* rb = head; rb; rb = rb->rbnext)
        std::memcpy(&rb->resval, &values[k++].key, sizeof(uint64_t));
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
        if (nan) {
            std::vector<resbuf*> v;
            v.reserve(n);
            for (resbuf* rb = head; rb; rb = rb->rbnext)
                v.push_back(rb);
            exchangeSort(v);
            for (size_t k = 0; k + 1 < n; ++k)
                v[k]->rbnext = v[k + 1];
            v[n - 1]->rbnext = nullptr;
            head = v[0];
            return SortResult::Sorted;
        }
        Keyed* a = scratch(n);
        size_t k = 0;
        for (resbuf* rb = head; rb; rb = rb->rbnext)
            a[k++] = {type == RTSTR ? prefixKey(rb->resval.rstring) : orderKey(rb), rb};
        if (type == RTSTR)
            std::sort(a, a + n, prefixLess);
        else
            sortNumbers(a, n);
        moveValuesInOrder(head, a, n);
    } catch (const std::bad_alloc&) {
        return SortResult::NoMemory;
    }
    return SortResult::Sorted;
}
