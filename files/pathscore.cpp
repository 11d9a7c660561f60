#include "pathscore.h"

#include <cstring>
#include <string>

namespace {

// Copies n bytes of a part and ends it; a part longer than its field is cut to fit.
void copyPart(char (&field)[260], const char* from, size_t n)
{
    if (n >= sizeof field)
        n = sizeof field - 1;
    std::memcpy(field, from, n);
    field[n] = '\0';
}

}  // namespace

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
        copyPart(p.dir, path, static_cast<size_t>(lastSlash + 1 - path));
        rest = lastSlash + 1;
    }
    const char* dot = std::strrchr(rest, '.');
    copyPart(p.name, rest, dot ? static_cast<size_t>(dot - rest) : std::strlen(rest));
    if (dot)
        copyPart(p.ext, dot, std::strlen(dot));
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
