#include "sortlistcore.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

// The exchange sort the order is defined by, for reals that no ordering sorts (a NaN
// compares false with everything, so it stays where the swaps leave it): n passes, each
// swapping a record with its successor when greater; the first and second make n - 1
// comparisons, each later one one fewer.
void exchangeSort(resbuf*& head, size_t n)
{
    std::vector<resbuf*> v;
    v.reserve(n);
    for (resbuf* rb = head; rb; rb = rb->rbnext)
        v.push_back(rb);
    for (size_t pass = 0; pass < n; ++pass) {
        size_t comparisons = pass == 0 ? n - 1 : n - pass;
        for (size_t k = 0; k < comparisons && k + 1 < n; ++k)
            if (v[k]->resval.rreal > v[k + 1]->resval.rreal)
                std::swap(v[k], v[k + 1]);
    }
    for (size_t k = 0; k + 1 < n; ++k)
        v[k]->rbnext = v[k + 1];
    v[n - 1]->rbnext = nullptr;
    head = v[0];
}

// Numbers sort by their keys: an unsigned 64-bit image of the value whose order is the
// numbers' order, sorted digit by digit from the lowest (a radix sort, stable, so equal
// numbers keep their order). The negative zero is the zero. A key turns back into its value,
// so numbers sort as keys alone, half the memory of keys beside their values, and the sorted
// values are read from the keys, not from the records in sorted order (a jump in memory per
// value); except reals with a negative zero, whose key is the zero's, which sort beside
// their values.
uint64_t realKey(double d)
{
    if (d == 0.0)
        d = 0.0;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
}

// The bits of the real whose key it is (moved as bits, never through a floating-point
// register).
uint64_t realBitsOfKey(uint64_t key) { return (key >> 63) ? key & ~(uint64_t(1) << 63) : ~key; }

uint64_t shortKey(short v) { return static_cast<uint16_t>(v) ^ 0x8000u; }
short shortOfKey(uint64_t key) { return static_cast<short>(static_cast<uint16_t>(key ^ 0x8000u)); }

// A key with the record's value beside it (the bits of a real, or a string's address).
struct Keyed {
    uint64_t key;
    uint64_t value;
};

uint64_t keyOf(uint64_t key) { return key; }
uint64_t keyOf(const Keyed& k) { return k.key; }

// The digits of a key, lowest first: eight bytes for short lists, where the counts of a
// digit's values must stay few; six of at most 11 bits for long ones, where a pass over the
// keys costs more than its counts. Each digit lies in one 32-bit half of the key, which a
// 32-bit processor shifts in one step.
struct Bytes {
    static constexpr int kDigits = 8, kValues = 256;
    template <int d>
    static unsigned digit(uint64_t key)
    {
        uint32_t half = d < 4 ? static_cast<uint32_t>(key) : static_cast<uint32_t>(key >> 32);
        return (half >> (d % 4 * 8)) & 0xFF;
    }
};
struct Elevens {
    static constexpr int kDigits = 6, kValues = 2048;
    template <int d>
    static unsigned digit(uint64_t key)
    {
        uint32_t half = d < 3 ? static_cast<uint32_t>(key) : static_cast<uint32_t>(key >> 32);
        return (half >> (d % 3 * 11)) & 0x7FF;
    }
};
const size_t kLongList = 4096;

// Scratch kept from one sort to the next, twice the count: a fresh block this large costs
// more than the sort itself (the system maps and zeroes it anew). It holds no values between
// calls.
template <class T>
T* scratch(size_t n)
{
    static std::vector<T> memory;
    if (memory.size() < 2 * n)
        memory.resize(2 * n);
    return memory.data();
}

// One pass of a radix sort, by digit d: from[] into to[] by the digit's counts, which it
// turns into places. A digit every key shares takes no pass. The digit is a constant of
// each pass, so that its shift is one instruction, not one worked out for every key.
template <class Digits, int d, class T>
void radixPass(T*& from, T*& to, size_t n, uint32_t* c)
{
    if (c[Digits::template digit<d>(keyOf(from[0]))] == n)
        return;
    uint32_t at = 0;
    for (int v = 0; v < Digits::kValues; ++v) {
        uint32_t here = c[v];
        c[v] = at;
        at += here;
    }
    // Four items read before any is placed: to the compiler a place written may be where the
    // next item is read from, so one at a time each read is kept behind the store before it
    // (a third slower for 1,000 reals).
    size_t k = 0;
    for (; k + 4 <= n; k += 4) {
        T a = from[k], b = from[k + 1], e = from[k + 2], f = from[k + 3];
        to[c[Digits::template digit<d>(keyOf(a))]++] = a;
        to[c[Digits::template digit<d>(keyOf(b))]++] = b;
        to[c[Digits::template digit<d>(keyOf(e))]++] = e;
        to[c[Digits::template digit<d>(keyOf(f))]++] = f;
    }
    for (; k < n; ++k)
        to[c[Digits::template digit<d>(keyOf(from[k]))]++] = from[k];
    std::swap(from, to);
}

// Radix sorted by keys; the sorted items are left in a[0] to a[n - 1], a[n] to a[2n - 1]
// being the room to sort through. One pass counts every digit of every key.
template <class Digits, class T, int... d>
void radixSortBy(T* a, size_t n, std::integer_sequence<int, d...>)
{
    static uint32_t count[Digits::kDigits][Digits::kValues];  // a list the host holds has fewer than 2^32 records
    std::memset(count, 0, sizeof count);
    for (size_t k = 0; k < n; ++k) {
        uint64_t key = keyOf(a[k]);
        (++count[d][Digits::template digit<d>(key)], ...);
    }
    T* from = a;
    T* to = a + n;
    (radixPass<Digits, d>(from, to, n, count[d]), ...);
    if (from != a)
        std::copy(from, from + n, a);
}

template <class T>
void radixSort(T* a, size_t n)
{
    if (n >= kLongList)
        radixSortBy<Elevens>(a, n, std::make_integer_sequence<int, Elevens::kDigits>());
    else
        radixSortBy<Bytes>(a, n, std::make_integer_sequence<int, Bytes::kDigits>());
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

const char* textOf(const Keyed& k) { return reinterpret_cast<const char*>(static_cast<uintptr_t>(k.value)); }

bool prefixLess(const Keyed& a, const Keyed& b)
{
    if (a.key != b.key)
        return a.key < b.key;
    if ((a.key & 0xFF) == 0)
        return false;  // both strings end within the key: equal
    return std::strcmp(textOf(a) + 8, textOf(b) + 8) < 0;
}

// The sorted values go into the records in the chain's own order instead of the records
// being relinked: the host then walks and releases the list in the order its records were
// made, where a shuffled chain would miss the cache at nearly every record. One walk checks
// the types and makes the keys; a NaN or a negative zero, both rare, then take a walk of
// their own.
SortResult sortNumbers(resbuf*& head, short type)
{
    size_t n = 0, room = 0;
    uint64_t* keys = nullptr;
    bool nan = false, negativeZero = false;
    for (const resbuf* rb = head; rb; rb = rb->rbnext, ++n) {
        if (rb->restype != type)
            return SortResult::MixedTypes;
        if (n == room) {
            room = std::max<size_t>(2 * room, 1024);
            keys = scratch<uint64_t>(room);
        }
        if (type == RTSHORT) {
            keys[n] = shortKey(rb->resval.rint);
        } else {
            double d = rb->resval.rreal;
            nan = nan || std::isnan(d);
            negativeZero = negativeZero || (d == 0.0 && std::signbit(d));
            keys[n] = realKey(d);
        }
    }
    if (nan) {
        exchangeSort(head, n);
    } else if (negativeZero) {
        Keyed* a = scratch<Keyed>(n);
        size_t k = 0;
        for (resbuf* rb = head; rb; rb = rb->rbnext, ++k) {
            a[k].key = keys[k];  // made in the walk above; the keys' memory is not the pairs'
            std::memcpy(&a[k].value, &rb->resval.rreal, sizeof(double));
        }
        radixSort(a, n);
        k = 0;
        for (resbuf* rb = head; rb; rb = rb->rbnext)
            std::memcpy(&rb->resval.rreal, &a[k++].value, sizeof(double));  // each real with its own bits
    } else {
        radixSort(keys, n);
        size_t k = 0;
        for (resbuf* rb = head; rb; rb = rb->rbnext, ++k) {
            if (type == RTSHORT) {
                rb->resval.rint = shortOfKey(keys[k]);
            } else {
                uint64_t bits = realBitsOfKey(keys[k]);
                std::memcpy(&rb->resval.rreal, &bits, sizeof bits);
            }
        }
    }
    return SortResult::Sorted;
}

void sortStrings(resbuf* head, size_t n)
{
    Keyed* a = scratch<Keyed>(n);
    size_t k = 0;
    for (resbuf* rb = head; rb; rb = rb->rbnext)
        a[k++] = {prefixKey(rb->resval.rstring), reinterpret_cast<uintptr_t>(rb->resval.rstring)};
    std::sort(a, a + n, prefixLess);
    k = 0;
    for (resbuf* rb = head; rb; rb = rb->rbnext)
        rb->resval.rstring = const_cast<char*>(textOf(a[k++]));
}

}  // namespace

SortResult sortChain(struct resbuf*& head)
{
    if (!head)
        return SortResult::Sorted;
    short type = head->restype;
    try {
        if (type == RTREAL || type == RTSHORT)
            return sortNumbers(head, type);
        size_t n = 0;
        for (resbuf* rb = head; rb; rb = rb->rbnext, ++n)
            if (rb->restype != type)
                return SortResult::MixedTypes;
        if (type == RTSTR)
            sortStrings(head, n);
        // records of any other type are not compared, not moved
    } catch (const std::bad_alloc&) {
        return SortResult::NoMemory;
    }
    return SortResult::Sorted;
}
