// The file cipher's key schedule: a file format, so every build must make the same key.
// Pure: no system headers.
#pragma once

#include <cstddef>
#include <cstdint>

const size_t kCipherBlock = 512;

// The 512-byte key of a password of 1 to 259 bytes: the password repeated, one generation
// of Life on the 64 x 64 torus of its bits XORed in, then the stream of the generator seeded
// with the signed byte sum.
void cipherKey(const char* password, size_t length, uint8_t key[kCipherBlock]);

// Combines data with the key, block by block: the byte at file offset p with key byte
// p mod 512; data[0] stands at an offset that is a multiple of 512.
void cipherApply(const uint8_t key[kCipherBlock], uint8_t* data, size_t size);

// The generator the key stream comes from: state x 214013 + 2531011, value bits 16 to 30.
class CipherRandom {
public:
    explicit CipherRandom(uint32_t seed) : state_(seed) {}
    int next()
    {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_;
};
