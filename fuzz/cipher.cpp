// The cipher's key schedule from any password, and its application: twice is none.
#include <cstdlib>
#include <cstring>

#include "chain.h"
#include "encryptcore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    char* password = in.string(600);
    uint8_t key[kCipherBlock];
    cipherKey(password, std::strlen(password), key);
    size_t length = in.word() % 3000;
    auto* text = static_cast<uint8_t*>(std::malloc(length + 1));
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<uint8_t>(i * 7);
    cipherApply(key, text, length);
    cipherApply(key, text, length);
    for (size_t i = 0; i < length; ++i)
        if (text[i] != static_cast<uint8_t>(i * 7))
            std::abort();
    std::free(text);
    std::free(password);
    return 0;
}
