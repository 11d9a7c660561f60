// The drawing-version lookup's rule, not its rows (the names a program sees for each code
// are tested through the host: host.dwgversions, host.filedata): a code matches exactly,
// so that every neighbour of a known code is unknown.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "dwgvercore.h"

namespace {

const std::string kUnknown = "Unknown";

// The lookup of six bytes (a shorter code stands for itself and zero bytes after it).
std::string lookup(const std::string& bytes)
{
    char code[7] = {};
    std::memcpy(code, bytes.data(), bytes.size() < 6 ? bytes.size() : 6);
    return dwgVersionName(code);
}

// The known codes, found by asking the lookup about every code of the form drawing files
// use: "AC" or "MC" and four characters of digits and points, or three and a zero byte.
std::vector<std::string> knownCodes()
{
    const std::string alphabet = "0123456789.";
    std::vector<std::string> known;
    for (const char* prefix : {"AC", "MC"})
        for (int length = 3; length <= 4; ++length) {
            int combinations = 1;
            for (int k = 0; k < length; ++k)
                combinations *= static_cast<int>(alphabet.size());
            for (int n = 0; n < combinations; ++n) {
                std::string code = prefix;
                for (int k = 0, rest = n; k < length; ++k, rest /= static_cast<int>(alphabet.size()))
                    code += alphabet[rest % alphabet.size()];
                if (lookup(code) != kUnknown)
                    known.push_back(code);
            }
        }
    return known;
}

TEST(DwgVersion, NeighboursOfKnownCodesAreUnknown)
{
    const std::vector<std::string> known = knownCodes();
    ASSERT_FALSE(known.empty());
    const std::set<std::string> knownSet(known.begin(), known.end());
    for (const std::string& code : known) {
        std::string six = code;
        six.resize(6, '\0');
        // Any one byte changed to one of no code: a letter, a blank, a zero byte, a high byte.
        for (size_t i = 0; i < 6; ++i)
            for (char other : {'X', 'c', ' ', '\0', '\xC0'}) {
                if (six[i] == other)
                    continue;
                std::string changed = six;
                changed[i] = other;
                EXPECT_EQ(kUnknown, lookup(changed)) << code << " with byte " << i << " changed";
            }
        // Its digits one up or one down, unless that is a known code itself.
        for (size_t i = 2; i < code.size(); ++i)
            for (int step : {-1, 1}) {
                std::string near = code;
                near[i] = static_cast<char>(near[i] + step);
                if (!knownSet.count(near)) {
                    EXPECT_EQ(kUnknown, lookup(near)) << code << " and " << near;
                }
            }
        // In lower case, and one byte later in the file.
        std::string lower = six;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(kUnknown, lookup(lower)) << code;
        EXPECT_EQ(kUnknown, lookup(std::string(1, '\0') + code)) << code;
    }
}

TEST(DwgVersion, FiveCharacterCodesNeedTheirZeroByte)
{
    int fives = 0;
    for (const std::string& code : knownCodes()) {
        if (code.size() != 5)
            continue;
        ++fives;
        for (char sixth : {' ', '0', 'X', '\xFF'})
            EXPECT_EQ(kUnknown, lookup(code + sixth)) << code;
    }
    EXPECT_GT(fives, 0);
}

TEST(DwgVersion, EachKnownCodeHasANameOfItsOwn)
{
    std::set<std::string> names;
    const std::vector<std::string> known = knownCodes();
    for (const std::string& code : known)
        names.insert(lookup(code));
    EXPECT_EQ(known.size(), names.size());
}

}  // namespace
