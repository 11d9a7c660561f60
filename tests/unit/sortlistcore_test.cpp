// The sort against a literal transcription of the exchange sort that defines its order, on
// random chains of reals, integers and strings, ties, NaN and mixed types included; long
// chains of numbers, spread in the ways that split them unevenly, against a stable sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "sortlistcore.h"
#include "sortreference.h"

namespace {

using sortreference::referenceSort;

struct Chain {
    std::vector<resbuf> records;
    std::vector<std::string> texts;
    resbuf* head = nullptr;

    void link()
    {
        head = records.empty() ? nullptr : &records[0];
        for (size_t k = 0; k < records.size(); ++k) {
            records[k].rbnext = k + 1 < records.size() ? &records[k + 1] : nullptr;
            if (records[k].restype == RTSTR)
                records[k].resval.rstring = &texts[k][0];
        }
    }
};

Chain randomChain(std::mt19937& rng, int kind)
{
    Chain c;
    size_t n = rng() % 40;
    c.records.resize(n);
    c.texts.resize(n);
    const double reals[] = {1.5, -2.0, 0.0, -0.0, 3.25, 1.5, 1e300, -INFINITY, INFINITY, NAN};
    for (size_t k = 0; k < n; ++k) {
        resbuf& rb = c.records[k];
        int type = kind == 1 ? RTREAL : kind;
        if (kind == 0)
            type = rng() % 8 == 0 ? RTSHORT : RTREAL;  // now and then a mixed chain
        rb.restype = static_cast<short>(type);
        if (type == RTREAL)
            rb.resval.rreal = reals[rng() % (kind == 1 ? 9 : 10)];  // kind 1: no NaN
        else if (type == RTSHORT)
            rb.resval.rint = static_cast<short>(static_cast<int>(rng() % 9) - 4 + (rng() % 50 == 0 ? 32000 : 0));
        else if (type == RTSTR) {
            static const char alphabet[] = "aAbB\xE9 ";
            // Short texts, and long ones over few letters: equal first eight bytes are
            // common, and the bytes after them decide.
            bool longText = rng() % 3 == 0;
            size_t len = longText ? 6 + rng() % 8 : rng() % 4;
            for (size_t j = 0; j < len; ++j)
                c.texts[k] += alphabet[rng() % (longText ? 2 : 6)];
        }
    }
    c.link();
    return c;
}

// What a chain holds, in order: strings and numbers by value (reals in hexadecimal, so that
// a negative zero is told from a zero), other records by their identity.
std::string describe(const resbuf* rb, const Chain& c)
{
    std::string out;
    for (; rb; rb = rb->rbnext) {
        char buf[64];
        if (rb->restype == RTSTR)
            out += std::string("\"") + rb->resval.rstring + "\" ";
        else if (rb->restype == RTREAL) {
            std::snprintf(buf, sizeof buf, "%a ", rb->resval.rreal);
            out += buf;
        } else if (rb->restype == RTSHORT) {
            std::snprintf(buf, sizeof buf, "%d ", rb->resval.rint);
            out += buf;
        } else {
            std::snprintf(buf, sizeof buf, "#%d ", static_cast<int>(rb - &c.records[0]));
            out += buf;
        }
    }
    return out;
}

TEST(SortChain, AgreesWithTheDefinitionOnRandomChains)
{
    std::mt19937 rng(12345);
    const int kinds[] = {RTREAL, RTSHORT, RTSTR, 0, 1, RTT};
    for (int round = 0; round < 3000; ++round) {
        int kind = kinds[round % 6];
        Chain a = randomChain(rng, kind);
        Chain b = a;
        b.link();
        resbuf* ha = a.head;
        resbuf* hb = b.head;
        bool refOk = referenceSort(ha);
        SortResult got = sortChain(hb);
        ASSERT_EQ(refOk, got == SortResult::Sorted) << "round " << round;
        if (refOk)
            ASSERT_EQ(describe(ha, a), describe(hb, b)) << "round " << round;
        else
            EXPECT_EQ(describe(hb, b), describe(b.head, b)) << "a refused chain is left as it was";
    }
}

TEST(SortChain, Examples)
{
    struct Case {
        std::vector<const char*> in;
        const char* out;
    };
    const Case cases[] = {
        {{"b", "a", "D"}, "\"D\" \"a\" \"b\" "},
        {{"B", "a", "\xE9", "A"}, "\"A\" \"B\" \"a\" \"\xE9\" "},
        {{"", "a", ""}, "\"\" \"\" \"a\" "},
        {{"abcdefghj", "abcdefgh", "abcdefghi", "abcdefg", "abcdefgh\xE9"},
         "\"abcdefg\" \"abcdefgh\" \"abcdefghi\" \"abcdefghj\" \"abcdefgh\xE9\" "},
        {{}, ""},
    };
    for (const Case& c : cases) {
        Chain ch;
        ch.records.resize(c.in.size());
        for (size_t k = 0; k < c.in.size(); ++k) {
            ch.records[k].restype = RTSTR;
            ch.texts.push_back(c.in[k]);
        }
        ch.link();
        resbuf* head = ch.head;
        EXPECT_EQ(sortChain(head), SortResult::Sorted);
        EXPECT_EQ(describe(head, ch), c.out);
    }
}

// Long chains, where the sort splits the keys into buckets and the buckets again: values
// crowded at one end, few distinct ones, powers of two (one bucket a level holding nearly
// all), every integer, the negative zero among zeros. Against std::stable_sort, which keeps
// equal numbers (a zero and a negative zero) in their order as the definition does.
TEST(SortChain, LongChainsAgreeWithAStableSort)
{
    std::mt19937_64 rng(2026);
    using Make = double (*)(std::mt19937_64&, size_t);
    const struct {
        const char* name;
        Make make;
    } spreads[] = {
        {"uniform", [](std::mt19937_64& r, size_t) { return std::uniform_real_distribution<double>(-1e6, 1e6)(r); }},
        {"crowded", [](std::mt19937_64& r, size_t) { return std::exp(std::uniform_real_distribution<double>(-700, 700)(r)); }},
        {"few", [](std::mt19937_64& r, size_t) { return static_cast<double>(r() % 5) - 2.0; }},
        {"powers", [](std::mt19937_64& r, size_t k) { return std::ldexp(1.0, static_cast<int>(k % 2000) - 1000) * (r() % 2 ? 1 : -1); }},
        {"zeros", [](std::mt19937_64& r, size_t) { return r() % 3 == 0 ? -0.0 : r() % 2 ? 0.0 : 1e-300; }},
        {"close", [](std::mt19937_64& r, size_t) { return 1.0 + std::ldexp(static_cast<double>(r() % 64), -52); }},
    };
    for (size_t n : {17, 100, 1000, 4097, 32767}) {
        for (const auto& spread : spreads) {
            std::vector<resbuf> records(n);
            for (size_t k = 0; k < n; ++k) {
                records[k].restype = RTREAL;
                records[k].resval.rreal = spread.make(rng, k);
                records[k].rbnext = k + 1 < n ? &records[k + 1] : nullptr;
            }
            std::vector<double> expected;
            for (const resbuf& rb : records)
                expected.push_back(rb.resval.rreal);
            std::stable_sort(expected.begin(), expected.end());
            resbuf* head = &records[0];
            ASSERT_EQ(sortChain(head), SortResult::Sorted);
            size_t k = 0;
            for (const resbuf* rb = head; rb; rb = rb->rbnext, ++k)
                ASSERT_EQ(std::memcmp(&rb->resval.rreal, &expected[k], sizeof(double)), 0)
                    << spread.name << " " << n << " at " << k << ": " << rb->resval.rreal << " for " << expected[k];
            ASSERT_EQ(k, n);
        }
        std::vector<resbuf> shorts(n);
        std::vector<short> expected(n);
        for (size_t k = 0; k < n; ++k) {
            shorts[k].restype = RTSHORT;
            expected[k] = shorts[k].resval.rint = static_cast<short>(rng() % 2 ? rng() : rng() % 7);
            shorts[k].rbnext = k + 1 < n ? &shorts[k + 1] : nullptr;
        }
        std::sort(expected.begin(), expected.end());
        resbuf* head = &shorts[0];
        ASSERT_EQ(sortChain(head), SortResult::Sorted);
        size_t k = 0;
        for (const resbuf* rb = head; rb; rb = rb->rbnext, ++k)
            ASSERT_EQ(rb->resval.rint, expected[k]) << "integers " << n << " at " << k;
    }
}

// The types are checked in the same walk that makes the keys: a record of another type at the
// end of a long list, found after the keys have outgrown the sort's memory, still leaves
// every record as it was.
TEST(SortChain, AnotherTypeAtTheEndOfALongChainLeavesItAsItWas)
{
    for (size_t n : {1500, 40000}) {
        std::vector<resbuf> records(n);
        for (size_t k = 0; k < n; ++k) {
            records[k].restype = RTREAL;
            records[k].resval.rreal = static_cast<double>(n - k);
            records[k].rbnext = k + 1 < n ? &records[k + 1] : nullptr;
        }
        records[n - 1].restype = RTSHORT;
        records[n - 1].resval.rint = 7;
        resbuf* head = &records[0];
        ASSERT_EQ(sortChain(head), SortResult::MixedTypes) << n;
        ASSERT_EQ(head, &records[0]);
        for (size_t k = 0; k + 1 < n; ++k)
            ASSERT_TRUE(records[k].resval.rreal == static_cast<double>(n - k) && records[k].rbnext == &records[k + 1])
                << n << " at " << k;
        ASSERT_EQ(records[n - 1].resval.rint, 7);
    }
}

}  // namespace
