// The cipher's key schedule against known answers: vectors made by an independent
// transcription (cipher_reference.py), and the generator's well-known first values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "encryptcore.h"

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

// A file on a drive with little room: pages of 4096 bytes, a hole until first written; a
// write stops at the first new page the drive has no room for. Reads can be made to fail.
class TightFile : public CipherFile {
public:
    TightFile(std::vector<uint8_t> bytes, size_t writtenPages, size_t freePages, int failRead = -1)
        : bytes(std::move(bytes)), held((this->bytes.size() + 4095) / 4096), free_(freePages), failRead_(failRead)
    {
        for (size_t p = 0; p < writtenPages && p < held.size(); ++p)
            held[p] = true;
    }
    bool read(int64_t at, uint8_t* data, size_t size) override
    {
        if (failRead_-- == 0)
            return false;
        std::memcpy(data, bytes.data() + at, size);
        return true;
    }
    bool write(int64_t at, const uint8_t* data, size_t size) override
    {
        for (size_t k = 0; k < size; ++k) {
            size_t page = static_cast<size_t>(at + static_cast<int64_t>(k)) / 4096;
            if (!held[page]) {
                if (free_ == 0) {
                    failedWrites++;
                    return false;
                }
                free_--;
                held[page] = true;
            }
            bytes[static_cast<size_t>(at) + k] = data[k];
        }
        return true;
    }
    std::vector<uint8_t> bytes;
    std::vector<bool> held;
    int failedWrites = 0;

private:
    size_t free_;
    int failRead_;
};

TEST(Cipher, AFailedRunLeavesTheFileAsItWas)
{
    uint8_t key[kCipherBlock];
    cipherKey("password", 8, key);
    const size_t chunk = 8 * kCipherBlock;  // 4 kB pieces, so a file of a few holds many
    struct Case {
        size_t size, writtenPages, freePages;
        int failRead;
        bool whole;
    } cases[] = {
        {100 * 1024, 0, 10, -1, false},      // a sparse file: the run stops at the 11th page
        {100 * 1024, 25, 0, -1, true},       // written whole: no new page needed
        {3 * 4096 + 100, 1, 2, -1, false},   // stops in the last, short piece
        {3 * 4096 + 100, 1, 3, -1, true},
        {64 * 1024, 16, 0, 7, false},        // a read fails half way
        {64 * 1024, 16, 0, 0, false},        // the first read fails
        {0, 0, 0, -1, true},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> original(c.size);
        for (size_t k = 0; k < std::min(c.size, c.writtenPages * 4096); ++k)
            original[k] = static_cast<uint8_t>(k * 7 + 3);
        TightFile file(original, c.writtenPages, c.freePages, c.failRead);
        std::vector<uint8_t> buffer(chunk);
        bool whole = cipherRun(file, static_cast<int64_t>(c.size), key, buffer.data(), chunk);
        EXPECT_EQ(whole, c.whole) << c.size << " " << c.freePages;
        std::vector<uint8_t> expected = original;
        if (c.whole)
            cipherApply(key, expected.data(), expected.size());
        EXPECT_TRUE(file.bytes == expected) << c.size << " " << c.freePages;
        EXPECT_LE(file.failedWrites, 1) << "undoing needed new room";
    }
}

}  // namespace
