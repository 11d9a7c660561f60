#include "encryptcore.h"

#include <cstring>

namespace {

bool cell(const uint8_t* grid, int x, int y)
{
    int b = ((x + 64) % 64) + 64 * ((y + 64) % 64);
    return (grid[b / 8] >> (b % 8)) & 1;
}

}  // namespace

void cipherKey(const char* password, size_t length, uint8_t key[kCipherBlock])
{
    for (size_t k = 0; k < kCipherBlock; ++k)
        key[k] = length ? static_cast<uint8_t>(password[k % length]) : 0;  // callers refuse an empty password

    uint8_t next[kCipherBlock] = {};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (dx || dy)
                        n += cell(key, x + dx, y + dy);
            bool live = cell(key, x, y) ? n == 2 || n == 3 : n == 3;
            int b = x + 64 * y;
            if (live)
                next[b / 8] = static_cast<uint8_t>(next[b / 8] | (1 << (b % 8)));
        }
    }
    for (size_t k = 0; k < kCipherBlock; ++k)
        key[k] ^= next[k];

    int32_t seed = 0;
    for (size_t k = 0; k < length; ++k)
        seed += static_cast<int8_t>(password[k]);
    CipherRandom random(static_cast<uint32_t>(seed));
    for (size_t k = 0; k < kCipherBlock; ++k)
        key[k] = static_cast<uint8_t>(key[k] ^ (random.next() & 0xFF));
}

void cipherApply(const uint8_t key[kCipherBlock], uint8_t* data, size_t size)
{
    // Block by block, so that the loop over one block is a plain one the compiler widens.
    for (; size >= kCipherBlock; data += kCipherBlock, size -= kCipherBlock)
        for (size_t k = 0; k < kCipherBlock; ++k)
            data[k] ^= key[k];
    for (size_t k = 0; k < size; ++k)
        data[k] ^= key[k];
}

namespace {

// Makes the bytes at offset at, of which plain holds the plain form, plain in the file again
// page by page, writing only the pages that differ: after a write that fell short, the
// pages it reached are the file's own and take no new space.
void restorePlain(CipherFile& file, int64_t at, const uint8_t* plain, size_t size)
{
    const size_t kPage = 4096;
    uint8_t held[kPage];
    for (size_t done = 0; done < size; done += kPage) {
        size_t n = size - done < kPage ? size - done : kPage;
        if (!file.read(at + static_cast<int64_t>(done), held, n) || std::memcmp(held, plain + done, n) != 0)
            file.write(at + static_cast<int64_t>(done), plain + done, n);
    }
}

// Combines the piece at offset at in place; false when its read or write falls short, with
// the part a short write reached made plain again.
bool combinePiece(CipherFile& file, int64_t at, size_t size, const uint8_t* key, uint8_t* buffer)
{
    if (!file.read(at, buffer, size))
        return false;
    cipherApply(key, buffer, size);
    if (file.write(at, buffer, size))
        return true;
    cipherApply(key, buffer, size);  // the plain form again
    restorePlain(file, at, buffer, size);
    return false;
}

}  // namespace

bool cipherRun(CipherFile& file, int64_t size, const uint8_t key[kCipherBlock], uint8_t* buffer, size_t chunk)
{
    const int64_t step = static_cast<int64_t>(chunk);
    int64_t at = 0;
    for (; at < size; at += step) {
        int64_t remaining = size - at;
        if (!combinePiece(file, at, remaining < step ? static_cast<size_t>(remaining) : chunk, key, buffer))
            break;
    }
    if (at >= size)
        return true;
    while (at > 0) {
        at -= step;  // every piece before the one that failed is whole
        combinePiece(file, at, chunk, key, buffer);
    }
    return false;
}
