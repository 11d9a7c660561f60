// The line-end conversion of one piece against the byte-by-byte rule it stands for: line ends
// at every place in and around the sixteen-byte steps, runs of them, and pieces of every
// length up to a few steps; nothing written past the room the caller gives.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "lineendscore.h"

namespace {

std::string unixByRule(const std::string& in)
{
    std::string out;
    for (char c : in)
        if (c != 13 && c != 26)
            out += c;
    return out;
}

std::string dosByRule(const std::string& in)
{
    std::string out;
    for (char c : in) {
        if (c == 10)
            out += '\r';
        out += c;
    }
    return out;
}

// Converts into the room the header promises, followed by guard bytes that must stay as they
// are.
template <typename Convert>
std::string converted(const std::string& in, size_t room, Convert convert)
{
    const char kGuard = '\x5a';
    std::vector<char> out(room + 64, kGuard);
    size_t n = convert(in.data(), in.size(), out.data());
    for (size_t k = room; k < out.size(); ++k)
        if (out[k] != kGuard) {
            ADD_FAILURE() << "written past the room, at " << k - room;
            break;
        }
    return std::string(out.data(), n);
}

std::string toUnix(const std::string& in) { return converted(in, in.size() + 16, toUnixText); }
std::string toDos(const std::string& in) { return converted(in, 2 * in.size() + 16, toDosText); }

TEST(LineConvert, KnownPieces)
{
    struct Case {
        std::string in, unix, dos;
    };
    const Case cases[] = {
        {"", "", ""},
        {"a\r\nb\r\n\x1a", "a\nb\n", "a\r\r\nb\r\r\n\x1a"},
        {"\n\n\n", "\n\n\n", "\r\n\r\n\r\n"},
        {"\r\r\x1a\x1a", "", "\r\r\x1a\x1a"},
        {"no line end at all, longer than one step", "no line end at all, longer than one step",
         "no line end at all, longer than one step"},
        {std::string("\0\r\n\xff\x0d\x8d\x9a", 7), std::string("\0\n\xff\x8d\x9a", 5),
         std::string("\0\r\r\n\xff\x0d\x8d\x9a", 8)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUnix(c.in), c.unix) << c.in;
        EXPECT_EQ(toDos(c.in), c.dos) << c.in;
    }
}

TEST(LineConvert, EveryPlaceAndLengthAsTheRule)
{
    // One line end at each place of pieces up to 50 bytes, then two of each kind together.
    for (size_t n = 1; n <= 50; ++n)
        for (size_t at = 0; at < n; ++at)
            for (char end : {'\r', '\n', '\x1a'}) {
                std::string in(n, 'x');
                in[at] = end;
                EXPECT_EQ(toUnix(in), unixByRule(in)) << n << " " << at;
                EXPECT_EQ(toDos(in), dosByRule(in)) << n << " " << at;
                in[n - 1 - at] = end == '\r' ? '\n' : '\r';
                EXPECT_EQ(toUnix(in), unixByRule(in)) << n << " " << at;
                EXPECT_EQ(toDos(in), dosByRule(in)) << n << " " << at;
            }
    // Random pieces, dense and sparse in line ends, every byte value present.
    std::mt19937 random(2024);
    for (int density : {2, 8, 60, 1000})
        for (int round = 0; round < 40; ++round) {
            std::string in(random() % 300, '\0');
            for (char& c : in)
                c = random() % density == 0 ? "\r\n\x1a"[random() % 3] : static_cast<char>(random());
            EXPECT_EQ(toUnix(in), unixByRule(in));
            EXPECT_EQ(toDos(in), dosByRule(in));
        }
    // Nothing but line ends, where the output grows fastest.
    for (size_t n = 1; n <= 50; ++n) {
        EXPECT_EQ(toDos(std::string(n, '\n')), dosByRule(std::string(n, '\n'))) << n;
        EXPECT_EQ(toUnix(std::string(n, '\r')), "") << n;
    }
}

TEST(LineConvert, EverySetOfLineEndsInEachHalf)
{
    // A piece of two steps whose first half holds line ends at the places one set of eight
    // says, its second half at another's: each half of a step is converted by a table entry
    // of its own, and every entry is taken, with every kind of line end.
    for (int set = 0; set < 256; ++set)
        for (char end : {'\r', '\n', '\x1a'}) {
            std::string in(32, 'x');
            for (int j = 0; j < 8; ++j) {
                if (set >> j & 1)
                    in[j] = in[24 + j] = end;
                if ((set ^ 0xA5) >> j & 1)
                    in[8 + j] = in[16 + j] = end;
            }
            EXPECT_EQ(toUnix(in), unixByRule(in)) << set << " " << int(end);
            EXPECT_EQ(toDos(in), dosByRule(in)) << set << " " << int(end);
        }
}

}  // namespace
