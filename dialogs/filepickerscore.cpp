#include "filepickerscore.h"

#include <cstring>

std::vector<std::string> fileChoice(const char* buffer, size_t size)
{
    std::vector<std::string> strings;
    for (size_t at = 0; at < size && buffer[at];) {
        const void* end = std::memchr(buffer + at, '\0', size - at);
        size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - (buffer + at)) : size - at;
        strings.emplace_back(buffer + at, length);
        at += length + 1;
    }
    if (strings.size() == 1) {
        // One file: its full path, split after the last "\" or "/" as _splitpath splits.
        std::string path = strings[0];
        size_t slash = path.find_last_of("\\/");
        size_t cut = slash == std::string::npos ? (path.size() >= 2 && path[1] == ':' ? 2 : 0) : slash + 1;
        strings = {path.substr(0, cut), path.substr(cut)};
    } else if (!strings.empty() && strings[0].back() != '\\') {
        strings[0] += '\\';
    }
    return strings;
}
