// The registry key paths on any levels and buffer sizes: a built path fits its buffer,
// begins with the base, and every key name in it is a name (not empty, "." or ".."); a
// level is refused exactly when one of its names is not; the names read back rebuild it.
#include <cstdlib>
#include <cstring>

#include "chain.h"
#include "registrycore.h"

namespace {

bool namesOk(const char* path)
{
    const char* at = path;
    char name[512];
    size_t total = 0, count = 0;
    while (nextKeyName(at, name, sizeof name)) {
        size_t n = std::strlen(name);
        if (n == 0 || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || std::strchr(name, '\\'))
            return false;
        total += n;
        ++count;
    }
    return *at == '\0' && total + count - (count ? 1 : 0) == std::strlen(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    size_t pathSize = in.word() % 400;
    bool hasFirst = in.byte() & 1, hasSecond = in.byte() & 1;
    char* first = in.string(300);
    char* second = in.string(300);
    char* path = static_cast<char*>(std::malloc(pathSize + 1));
    const char* base = "SOFTWARE\\Kelmar";
    KeyPath built = joinKeyPath(path, pathSize, base, hasFirst ? first : nullptr, hasSecond ? second : nullptr);
    bool levelsOk = (!hasFirst || validLevel(first)) && (!hasSecond || validLevel(second));
    if ((built == KeyPath::BadLevel) == levelsOk)
        std::abort();
    if (built == KeyPath::Built) {
        if (std::strlen(path) >= pathSize || std::strncmp(path, base, std::strlen(base)) != 0 || !namesOk(path))
            std::abort();
    } else if (pathSize > 0 && path[0] != '\0') {
        std::abort();  // a refused path leaves nothing to use by mistake
    }
    if (validLevel(first) != namesOk(first) && *first)
        std::abort();
    std::free(path);
    std::free(first);
    std::free(second);
    return 0;
}
