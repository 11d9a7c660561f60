#include "cipher.h"

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
    for (size_t k = 0; k < size; ++k)
        data[k] ^= key[k % kCipherBlock];
}
