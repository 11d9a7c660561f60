#include "registrycore.h"

#include <cstring>
#include <initializer_list>

bool validLevel(const char* level)
{
    const char* p = level;
    for (;;) {
        const char* end = std::strchr(p, '\\');
        size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
        if (n == 0 || (n == 1 && p[0] == '.') || (n == 2 && p[0] == '.' && p[1] == '.'))
            return false;
        if (!end)
            return true;
        p = end + 1;
    }
}

KeyPath joinKeyPath(char* path, size_t size, const char* base, const char* first, const char* second)
{
    if (size > 0)
        path[0] = '\0';
    for (const char* level : {first, second})
        if (level && !validLevel(level))
            return KeyPath::BadLevel;
    size_t used = 0;
    for (const char* part : {base, first ? "\\" : "", first, second ? "\\" : "", second}) {
        size_t n = part ? std::strlen(part) : 0;
        if (used + n >= size) {
            if (size > 0)
                path[0] = '\0';
            return KeyPath::TooLong;
        }
        if (n > 0)
            std::memcpy(path + used, part, n);
        used += n;
        path[used] = '\0';
    }
    return KeyPath::Built;
}

bool nextKeyName(const char*& at, char* name, size_t size)
{
    if (!*at)
        return false;
    const char* end = std::strchr(at, '\\');
    size_t n = end ? static_cast<size_t>(end - at) : std::strlen(at);
    if (n >= size)
        return false;
    std::memcpy(name, at, n);
    name[n] = '\0';
    at += n + (end ? 1 : 0);
    return true;
}
