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
