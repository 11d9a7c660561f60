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

// The file a cipher run rewrites in place: whole reads and writes at an offset. A write
// that falls short may have reached part of its bytes.
class CipherFile {
public:
    virtual ~CipherFile() = default;
    virtual bool read(int64_t at, uint8_t* data, size_t size) = 0;
    virtual bool write(int64_t at, const uint8_t* data, size_t size) = 0;
};

// Combines the file's size bytes with the key in place, chunk bytes at a time (a multiple
// of the block, buffer that large). When a piece cannot be read or written, the pieces
// already rewritten are combined once more, last first, and the bytes the failed write
// reached are put back: since the cipher is its own inverse, the file is then as it was,
// and the undoing writes only over bytes the file already holds. False after a failure.
bool cipherRun(CipherFile& file, int64_t size, const uint8_t key[kCipherBlock], uint8_t* buffer, size_t chunk);

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
