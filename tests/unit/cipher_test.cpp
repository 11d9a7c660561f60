// The cipher's key schedule against known answers: vectors made by an independent
// transcription (cipher_reference.py), and the generator's well-known first values.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "cipher.h"

namespace {

std::vector<uint8_t> fromHex(const std::string& hex)
{
    std::vector<uint8_t> bytes;
    for (size_t k = 0; k + 1 < hex.size(); k += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(k, 2), nullptr, 16)));
    return bytes;
}

TEST(Cipher, GeneratorGivesTheRuntimeLibrarysSequence)
{
    CipherRandom seeded1(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
    for (int v : expected)
        EXPECT_EQ(seeded1.next(), v);
    CipherRandom negative(static_cast<uint32_t>(-5));  // a signed byte sum below zero
    EXPECT_EQ(negative.next(), static_cast<int>(((static_cast<uint32_t>(-5) * 214013u + 2531011u) >> 16) & 0x7FFF));
}

TEST(Cipher, KeysMatchTheReferenceVectors)
{
    std::ifstream in(CIPHER_VECTORS);
    ASSERT_TRUE(in) << "vectors missing";
    std::string passwordHex, keyHex;
    int count = 0;
    while (in >> passwordHex >> keyHex) {
        std::vector<uint8_t> password = fromHex(passwordHex), expected = fromHex(keyHex);
        ASSERT_EQ(expected.size(), kCipherBlock);
        uint8_t key[kCipherBlock];
        cipherKey(reinterpret_cast<const char*>(password.data()), password.size(), key);
        EXPECT_EQ(std::vector<uint8_t>(key, key + kCipherBlock), expected) << "password " << passwordHex;
        ++count;
    }
    EXPECT_EQ(count, 7);
}

TEST(Cipher, ApplyingTwiceRestoresAndEachBlockStartsAtKeyByteZero)
{
    uint8_t key[kCipherBlock];
    cipherKey("pw", 2, key);
    std::vector<uint8_t> data(1000, 0), original = data;
    cipherApply(key, data.data(), data.size());
    for (size_t k = 0; k < data.size(); ++k)
        ASSERT_EQ(data[k], key[k % kCipherBlock]) << k;
    cipherApply(key, data.data(), data.size());
    EXPECT_EQ(data, original);
}

}  // namespace
