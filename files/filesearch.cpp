#include "filesearch.h"

#include "paths.h"

#include <direct.h>

#include <cstdio>
#include <cstdlib>

bool absolutePath(char (&full)[MAX_PATH], const char* path) { return _fullpath(full, path, sizeof full) != nullptr; }

HANDLE openDiskFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    if (namesDevice(path))
        return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    }
    return file;
}

bool reachesDevice(const char* path)
{
    if (namesDevice(path))
        return true;
    HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool device = GetFileType(file) != FILE_TYPE_DISK;
    CloseHandle(file);
    return device;
}

PatternFolder::PatternFolder(const char* absolutePattern)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR];
    _splitpath(absolutePattern, drive, dir, nullptr, nullptr);
    std::snprintf(text, sizeof text, "%s%s", drive, dir);
}

bool PatternFolder::compose(char (&out)[MAX_PATH], const char* name) const
{
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
