// Values to argument records and result records back, and the record pool's checks.
#include <gtest/gtest.h>

#include <vector>

#include "bridge.h"

namespace {

lisp::Value read(const std::string& text)
{
    lisp::Reader r(text);
    lisp::Value v;
    r.next(v);
    return v;
}

std::string types(const resbuf* rb)
{
    std::string out;
    for (; rb; rb = rb->rbnext)
        out += (out.empty() ? "" : " ") + std::to_string(rb->restype);
    return out;
}

TEST(Bridge, ArgumentsTravelAsTheHostSendsThem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1", "5003"},
        {"-32768", "5003"},
        {"32768", "5010"},
        {"-32769", "5010"},
        {"2.0", "5001"},
        {"\"s\"", "5005"},
        {"nil", "5019"},
        {"T", "5021"},
        {"(1 2)", "5002"},
        {"(1 2.5 3)", "5009"},
        {"(1)", "5016 5003 5017"},
        {"(1 2 3 4)", "5016 5003 5003 5003 5003 5017"},
        {"(1 \"a\")", "5016 5003 5005 5017"},
        {"(\"a\" . 1)", "5016 5005 5018 5003 5017"},
        {"(1 . 2)", "5016 5003 5018 5003 5017"},
        {"((1 2) (3 4 5))", "5016 5002 5009 5017"},
        {"((\"a\" 1) nil)", "5016 5016 5005 5003 5017 5019 5017"},
    };
    for (const auto& c : cases) {
        RecordPool pool;
        lisp::Args args{read(c.first)};
        resbuf* chain = argumentChain(pool, args);
        EXPECT_EQ(types(chain), c.second) << c.first;
        std::string problem;
        EXPECT_TRUE(pool.release(chain, problem));
        EXPECT_EQ(pool.reclaimLive(), 0u);
    }
}

TEST(Bridge, PointsCarryTheirCoordinates)
{
    RecordPool pool;
    lisp::Args args{read("(1 2.5 -3)")};
    resbuf* rb = argumentChain(pool, args);
    ASSERT_EQ(rb->restype, RT3DPOINT);
    EXPECT_EQ(rb->resval.rpoint[0], 1.0);
    EXPECT_EQ(rb->resval.rpoint[1], 2.5);
    EXPECT_EQ(rb->resval.rpoint[2], -3.0);
}

// Builds a chain from type codes; strings hold "s", numbers 1.
resbuf* chainOf(RecordPool& pool, std::initializer_list<int> codes)
{
    resbuf *head = nullptr, *tail = nullptr;
    for (int code : codes) {
        resbuf* rb = pool.make(code);
        if (code == RTSTR)
            rb->resval.rstring = recordString("s");
        if (code == RTSHORT)
            rb->resval.rint = 1;
        (tail ? tail->rbnext : head) = rb;
        tail = rb;
    }
    return head;
}

TEST(Bridge, ResultChainsBecomeLists)
{
    struct Case {
        std::initializer_list<int> codes;
        const char* value;
    };
    const Case cases[] = {
        {{RTSTR, RTSTR}, "(\"s\" \"s\")"},
        {{RTSTR}, "(\"s\")"},
        {{RTLB, RTSTR, RTSHORT, RTLE}, "(\"s\" 1)"},  // one group is the list itself
        {{RTLB, RTLE}, "nil"},
        {{RTLB, RTLB, RTSTR, RTDOTE, RTSHORT, RTLE, RTLB, RTSTR, RTDOTE, RTSHORT, RTLE, RTLE},
         "((\"s\" . 1) (\"s\" . 1))"},
        {{RTLB, RTSTR, RTLE, RTLB, RTSHORT, RTLE}, "((\"s\") (1))"},
        {{RTSHORT, RTLB, RTSTR, RTLE}, "(1 (\"s\"))"},
        {{RTNIL, RTT}, "(nil T)"},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        RecordPool pool;
        resbuf* chain = chainOf(pool, cases[k].codes);
        lisp::Value v;
        std::string problem;
        ASSERT_TRUE(chainValue(chain, v, problem)) << k << ": " << problem;
        EXPECT_EQ(lisp::prin1(v), cases[k].value) << "case " << k;
    }
}

TEST(Bridge, MalformedResultChainsAreRefused)
{
    const std::initializer_list<int> cases[] = {
        {RTLB, RTSTR},
        {RTSTR, RTLE},
        {RTLB, RTDOTE, RTSTR, RTLE},
        {RTLB, RTSTR, RTDOTE, RTLE},
        {RTLB, RTSTR, RTDOTE, RTSTR, RTSTR, RTLE},
        {RTSTR, RTDOTE, RTSTR},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        RecordPool pool;
        lisp::Value v;
        std::string problem;
        EXPECT_FALSE(chainValue(chainOf(pool, cases[k]), v, problem)) << "case " << k;
        EXPECT_FALSE(problem.empty());
    }
}

TEST(RecordPool, SeesLeaksAndSecondReleases)
{
    RecordPool pool;
    resbuf* a = pool.make(RTSHORT);
    resbuf* b = pool.make(RTSHORT);
    a->rbnext = b;
    std::string problem;
    EXPECT_TRUE(pool.release(b, problem));
    EXPECT_FALSE(pool.release(a, problem));  // b, in a's chain, went already
    EXPECT_EQ(problem, "record released twice");
    resbuf foreign = {};
    EXPECT_FALSE(pool.release(&foreign, problem));
    EXPECT_EQ(problem, "released a record the host did not make");
    pool.make(RTSTR)->resval.rstring = recordString("kept");
    EXPECT_EQ(pool.reclaimLive(), 1u);
    EXPECT_EQ(pool.reclaimLive(), 0u);
    pool.endCall();
}

// Records of several blocks, released in a chain that goes from block to block: each is
// found in its own block, and an address inside a record is still not a record.
TEST(RecordPool, ChainsAcrossBlocksAreReleasedWhole)
{
    RecordPool pool;
    std::vector<resbuf*> made;
    for (int k = 0; k < 10000; ++k)
        made.push_back(pool.make(RTSHORT));
    resbuf* head = nullptr;
    for (size_t k = 0; k < made.size() / 2; ++k) {  // first, last, second, last but one...
        resbuf* pair[] = {made[made.size() - 1 - k], made[k]};
        for (resbuf* rb : pair) {
            rb->rbnext = head;
            head = rb;
        }
    }
    std::string problem;
    auto inside = reinterpret_cast<resbuf*>(reinterpret_cast<char*>(made.back()) + 4);
    EXPECT_FALSE(pool.release(inside, problem));
    EXPECT_EQ(problem, "released a record the host did not make");
    EXPECT_TRUE(pool.release(head, problem)) << problem;
    EXPECT_EQ(pool.reclaimLive(), 0u);
    made[5000]->rbnext = nullptr;
    EXPECT_FALSE(pool.release(made[5000], problem));
    EXPECT_EQ(problem, "record released twice");
    pool.endCall();
}

TEST(RecordPool, InjectedFailureHitsTheNthRecordOnly)
{
    RecordPool pool;
    pool.failAfter(3);
    EXPECT_NE(pool.make(RTSHORT), nullptr);
    EXPECT_NE(pool.make(RTSHORT, false), nullptr);  // the host's own do not count
    EXPECT_NE(pool.make(RTSHORT), nullptr);
    EXPECT_EQ(pool.make(RTSHORT), nullptr);
    EXPECT_NE(pool.make(RTSHORT), nullptr);
    EXPECT_EQ(pool.reclaimLive(), 4u);
}

}  // namespace
