#include "filesearch.h"

#include "paths.h"

#include <direct.h>

#include <cstdio>
#include <cstdlib>

bool absolutePath(char (&full)[MAX_PATH], const char* path) { return _fullpath(full, path, sizeof full) != nullptr; }

PatternFolder::PatternFolder(const char* absolutePattern)
{
    std::snprintf(text, sizeof text, "%.*s", static_cast<int>(folderLength(absolutePattern)), absolutePattern);
}

bool PatternFolder::compose(char (&out)[MAX_PATH], const char* name) const
{
    if (namesDevice(name))
        return false;
    int n = std::snprintf(out, sizeof out, "%s%s", text, name);
    return n >= 0 && static_cast<size_t>(n) < sizeof out;
}

DriveKeeper::DriveKeeper() : drive_(_getdrive())
{
    DWORD n = GetCurrentDirectoryA(sizeof dir_, dir_);
    haveDir_ = n > 0 && n < sizeof dir_;
}

DriveKeeper::~DriveKeeper()
{
    int now = _getdrive();
    if (now == drive_)
        return;
    char here[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof here, here);
    if (n > 0 && n < sizeof here) {
        char name[4] = {'=', static_cast<char>('A' + now - 1), ':', '\0'};
        SetEnvironmentVariableA(name, here);
    }
    if (!haveDir_ || !SetCurrentDirectoryA(dir_))
        _chdrive(drive_);
}
