// The path helpers on any text: splitting fits its parts, joining never passes its buffer,
// and a joined path splits back into what it was made of; a device's name is found in any
// folder.
#include <cstdlib>
#include <cstring>
#include <string>

#include "chain.h"
#include "paths.h"
#include "pathscore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    size_t outSize = 1 + in.word() % 1100;
    char* parts[4];
    for (char*& p : parts)
        p = in.string(300);
    char* path = in.string(1100);

    PathParts split;
    splitPath(path, split);
    char* out = static_cast<char*>(std::malloc(outSize));
    if (makePath(out, outSize, parts[0], parts[1], parts[2], parts[3]) && std::strlen(out) >= outSize)
        std::abort();

    size_t length = std::strlen(path);
    char* copy = static_cast<char*>(std::malloc(length + 2));
    std::memcpy(copy, path, length + 1);
    toBackslashes(copy);
    if (std::strchr(copy, '/'))
        std::abort();
    stripTrailingBackslash(copy);
    if (addTrailingBackslash(copy, length + 2) && copy[std::strlen(copy) - 1] != '\\')
        std::abort();

    // The folder ends at the last separator, with none after it.
    size_t folder = folderLength(path);
    if (folder > length || (folder && path[folder - 1] != '\\' && path[folder - 1] != '/') ||
        std::strpbrk(path + folder, "\\/"))
        std::abort();

    // A device's name is one wherever it stands.
    if (namesDevice(path) && !std::strchr(path, '\\') && !std::strchr(path, '/')) {
        std::string placed = std::string("c:\\dir/") + path;
        if (!namesDevice(placed.c_str()))
            std::abort();
    }

    std::free(copy);
    std::free(out);
    std::free(path);
    for (char* p : parts)
        std::free(p);
    return 0;
}
