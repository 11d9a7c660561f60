// Date and time text: splitting any text into numbers, and formatting any values.
#include <cstdlib>
#include <cstring>

#include "chain.h"
#include "sysinfocore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    int max = in.byte() % 5;
    unsigned values[3] = {in.word() * 65537u, in.word() * 257u, in.word()};
    char* text = in.string(2000);
    int* numbers = static_cast<int*>(std::malloc(sizeof(int) * (max ? max : 1)));
    if (splitNumbers(text, numbers, max) > max)
        std::abort();
    // A number is a field only when it fits one whole.
    int pieces[3] = {0, 0, 0};
    int count = splitNumbers(text, pieces, 3);
    uint16_t fields[3];
    bool fits = true;
    for (int k = 0; k < count; ++k)
        fits = fits && pieces[k] >= 0 && pieces[k] <= 0xFFFF;
    if (timeFields(pieces, count, fields) != fits)
        std::abort();
    for (int k = 0; fits && k < count; ++k)
        if (fields[k] != pieces[k])
            std::abort();
    char out[16];
    dateText(out, values[0], values[1], values[2]);
    if (std::strlen(out) >= sizeof out)
        std::abort();
    timeText(out, values[2], values[0], values[1]);
    std::free(numbers);
    std::free(text);
    return 0;
}
