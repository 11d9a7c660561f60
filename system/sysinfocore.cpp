#include "sysinfocore.h"

#include <cstdio>
#include <cstring>

namespace {

bool isDelimiter(char c) { return c != '\0' && std::strchr("/-:.", c) != nullptr; }

}  // namespace

int splitNumbers(const char* text, int* numbers, int max)
{
    int count = 0;
    const char* p = text;
    while (*p && count < max) {
        while (isDelimiter(*p))
            ++p;
        if (!*p)
            break;
        long value = 0;
        const char* piece = p;
        while (*p >= '0' && *p <= '9' && p - piece < 9)
            value = value * 10 + (*p++ - '0');
        numbers[count++] = static_cast<int>(value);
        while (*p && !isDelimiter(*p))
            ++p;
    }
    return count;
}

bool timeFields(const int* numbers, int count, uint16_t* fields)
{
    for (int k = 0; k < count; ++k) {
        if (numbers[k] < 0 || numbers[k] > 0xFFFF)
            return false;
        fields[k] = static_cast<uint16_t>(numbers[k]);
    }
    return true;
}

void dateText(char (&out)[16], unsigned month, unsigned day, unsigned year)
{
    std::snprintf(out, sizeof out, "%02u-%02u-%04u", month % 100, day % 100, year % 10000);
}

void timeText(char (&out)[16], unsigned hour, unsigned minute, unsigned second)
{
    unsigned hour12 = hour % 12 == 0 ? 12 : hour % 12;
    std::snprintf(out, sizeof out, "%02u:%02u:%02u%c", hour12 % 100, minute % 100, second % 100, hour < 12 ? 'a' : 'p');
}
