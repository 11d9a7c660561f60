#include "pathparts.h"

#include <cstring>
#include <string>

void splitPath(const char* path, PathParts& p)
{
    p.drive[0] = p.dir[0] = p.name[0] = p.ext[0] = '\0';
    if (path[0] && path[1] == ':') {
        p.drive[0] = path[0];
        p.drive[1] = ':';
        p.drive[2] = '\0';
        path += 2;
    }
    const char* lastSlash = nullptr;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            lastSlash = c;
    const char* rest = path;
    if (lastSlash) {
        size_t n = static_cast<size_t>(lastSlash + 1 - path);
        std::memcpy(p.dir, path, n);
        p.dir[n] = '\0';
        rest = lastSlash + 1;
    }
    const char* dot = std::strrchr(rest, '.');
    size_t nameLength = dot ? static_cast<size_t>(dot - rest) : std::strlen(rest);
    std::memcpy(p.name, rest, nameLength);
    p.name[nameLength] = '\0';
    if (dot)
        std::strcpy(p.ext, dot);
}

bool makePath(char* out, size_t size, const char* drive, const char* dir, const char* name, const char* ext)
{
    std::string s;
    if (*drive) {
        s += drive[0];
        s += ':';
    }
    if (*dir) {
        s += dir;
        if (s.back() != '\\' && s.back() != '/')
            s += '\\';
    }
    s += name;
    if (*ext) {
        if (ext[0] != '.')
            s += '.';
        s += ext;
    }
    if (s.size() >= size)
        return false;
    std::memcpy(out, s.c_str(), s.size() + 1);
    return true;
}
