#include "paths.h"

#include <cstring>

void toBackslashes(char* path)
{
    for (; *path; ++path)
        if (*path == '/')
            *path = '\\';
}

bool addTrailingBackslash(char* path, size_t size)
{
    size_t n = std::strlen(path);
    if (n > 0 && path[n - 1] == '\\')
        return true;
    if (n + 2 > size)
        return false;
    path[n] = '\\';
    path[n + 1] = '\0';
    return true;
}

void stripTrailingBackslash(char* path)
{
    size_t n = std::strlen(path);
    if (n < 2 || path[n - 1] != '\\')
        return;
    if (n == 3 && path[1] == ':')
        return;
    path[n - 1] = '\0';
}

size_t folderLength(const char* path)
{
    size_t n = 0;
    for (size_t k = 0; path[k]; ++k)
        if (path[k] == '\\' || path[k] == '/')
            n = k + 1;
    return n;
}

namespace {

bool sameName(const char* a, size_t n, const char* b)
{
    for (size_t k = 0; k < n; ++k, ++b) {
        char c = a[k];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != *b)
            return false;
    }
    return *b == '\0';
}

}  // namespace

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

size_t rootLength(const char* p)
{
    if (p[0] && p[1] == ':')
        return 2;
    if (!isSeparator(p[0]) || !isSeparator(p[1]))
        return 0;
    size_t k = 2;
    for (int separators = 0; p[k] && !(isSeparator(p[k]) && ++separators == 2); ++k) {
    }
    return k;
}

char folded(char c)
{
    return c == '/' ? '\\' : (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool sameDrive(const char* a, const char* b)
{
    size_t n = rootLength(a);
    if (n == 0 || n != rootLength(b))
        return false;
    for (size_t k = 0; k < n; ++k)
        if (folded(a[k]) != folded(b[k]))
            return false;
    return true;
}

bool namesRoot(const char* path)
{
    size_t n = std::strlen(path);
    while (n && (path[n - 1] == ' ' || path[n - 1] == '\\' || path[n - 1] == '/'))
        --n;  // a final separator (or blank) names the same place
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    if (n == 0 || (n == 2 && path[1] == ':'))
        return true;
    if (n < 2 || !separator(path[0]) || !separator(path[1]))
        return false;
    size_t parts = 0;  // \\server\share: the server, then the share, and nothing below
    for (size_t k = 2; k < n; ++k)
        if (separator(path[k]) && !separator(path[k - 1]))
            ++parts;
    return parts <= 1;
}

bool namesDevice(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    if (((name[0] | 0x20) >= 'a' && (name[0] | 0x20) <= 'z') && name[1] == ':')
        name += 2;  // "c:aux" names the device as well
    // The device part ends at the first dot or colon; blanks before it do not count.
    size_t n = std::strcspn(name, ".:");
    while (n > 0 && name[n - 1] == ' ')
        --n;
    static const char* const kFixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kFixed)
        if (sameName(name, n, device))
            return true;
    if (n != 4 || name[3] < '1' || name[3] > '9')
        return false;
    return sameName(name, 3, "COM") || sameName(name, 3, "LPT");
}
