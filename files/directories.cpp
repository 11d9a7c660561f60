// kel_chdir, kel_pwdir, kel_mkdir, kel_rmdir, kel_rendir, kel_deltree, kel_subdir, kel_sysdir,
// kel_tempdir, kel_windir: directories changed, reported, made, removed and listed. Each
// directory returned ends in a backslash; the caller's current drive is never changed.
#include <windows.h>

#include <direct.h>

#include <cstdio>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "filesearch.h"
#include "handlers.h"
#include "messages.h"
#include "paths.h"
#include "results.h"

namespace {

int returnDirectory(char (&dir)[MAX_PATH])
{
    if (!addTrailingBackslash(dir, sizeof dir))
        return giveNil();  // no room for the backslash: never a cut path
    return giveString(dir);
}

// Whether a folder argument, with or without its trailing backslash, names a device.
bool namesDeviceFolder(const char* path)
{
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%s", path);
    stripTrailingBackslash(folder);
    return namesDevice(folder);
}

// Room for the trailing backslash a directory result gets.
bool fitsWithBackslash(const char* dir) { return std::strlen(dir) + 2 <= MAX_PATH; }

// The current directory; false when it does not fit.
bool currentDirectory(char (&dir)[MAX_PATH])
{
    DWORD n = GetCurrentDirectoryA(sizeof dir, dir);
    return n > 0 && n < sizeof dir;
}

// kel_mkdir and kel_rmdir: one path, one call.
int directoryCall(struct resbuf* args, BOOL (*call)(const char*))
{
    Args in(args);
    char path[MAX_PATH], full[MAX_PATH];
    if (!in.path(path) || !in.end())
        return stopped();
    stripTrailingBackslash(path);
    // The absolute form first: a directory whose path could not be returned whole is not
    // made or removed at all. A device name is no folder: the system would report success.
    if (namesDevice(path) || !absolutePath(full, path) || !fitsWithBackslash(full))
        return giveNil();
    DriveKeeper drive;
    if (!call(full))
        return giveNil();
    return returnDirectory(full);
}

BOOL createDirectory(const char* path) { return CreateDirectoryA(path, nullptr); }
BOOL removeDirectory(const char* path) { return RemoveDirectoryA(path); }

// A link to a directory goes as a directory where the system allows, else as a file (as
// Wine keeps a symbolic link).
bool removeLink(const char* path) { return RemoveDirectoryA(path) || DeleteFileA(path); }

// Removes dir and everything in it, deepest first. A link to a directory (a reparse point)
// is removed itself: what it points to is never entered.
bool removeTree(const char* dir)
{
    char pattern[MAX_PATH];
    int n = std::snprintf(pattern, sizeof pattern, "%s\\*", dir);
    if (n < 0 || static_cast<size_t>(n) >= sizeof pattern)
        return false;
    bool ok = true;
    SearchEnd end = forEachEntry(pattern, 0, [&](const WIN32_FIND_DATAA& e) {
        bool isDir = e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isSelfOrParent(e.cFileName))
            return true;  // a dot-named folder such as .git is removed like any other
        char path[MAX_PATH];
        int m = std::snprintf(path, sizeof path, "%s\\%s", dir, e.cFileName);
        if (m < 0 || static_cast<size_t>(m) >= sizeof path)
            return ok = false;
        if (isDir && (e.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            ok = removeLink(path);
        else if (isDir)
            ok = removeTree(path);
        else
            ok = DeleteFileA(path) != 0;
        return ok;
    });
    return ok && end != SearchEnd::Failed && RemoveDirectoryA(dir);
}

int systemDirectory(struct resbuf* args, UINT (*get)(char*, UINT))
{
    if (!Args(args).end())
        return stopped();
    char dir[MAX_PATH];
    UINT n = get(dir, sizeof dir);
    if (n == 0 || n >= sizeof dir)
        return giveNil();
    return returnDirectory(dir);
}

UINT tempPath(char* buffer, UINT size) { return GetTempPathA(size, buffer); }
UINT systemPath(char* buffer, UINT size) { return GetSystemDirectoryA(buffer, size); }
UINT windowsPath(char* buffer, UINT size) { return GetWindowsDirectoryA(buffer, size); }

}  // namespace

int kelChdir(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH], dir[MAX_PATH];
    if (!in.path(path) || !in.end())
        return stopped();
    stripTrailingBackslash(path);
    if (namesDevice(path))
        return giveNil();
    DriveKeeper drive;
    if (!SetCurrentDirectoryA(path) || !currentDirectory(dir))
        return giveNil();
    return returnDirectory(dir);
}

int kelPwdir(struct resbuf* args)
{
    Args in(args);
    char letter = static_cast<char>(_getdrive() + 64);
    if (in.more() && (!in.drive(letter) || !in.end()))
        return stopped();
    if (!isDriveLetter(letter))
        return giveNil();
    DriveKeeper drive;
    char dir[MAX_PATH];
    _chdrive(letter - 64);
    if (_getdrive() != letter - 64 || !currentDirectory(dir))
        return giveNil();
    return returnDirectory(dir);
}

int kelMkdir(struct resbuf* args) { return directoryCall(args, createDirectory); }
int kelRmdir(struct resbuf* args) { return directoryCall(args, removeDirectory); }

int kelRendir(struct resbuf* args)
{
    Args in(args);
    char from[MAX_PATH], to[MAX_PATH], fullFrom[MAX_PATH], fullTo[MAX_PATH];
    if (!in.string(from) || !in.string(to) || !in.end())
        return stopped();
    // A device name at either end: the system would move what the device leads to.
    if (namesDeviceFolder(from) || namesDeviceFolder(to) || !absolutePath(fullFrom, from) ||
        !absolutePath(fullTo, to))
        return giveNil();
    stripTrailingBackslash(fullFrom);
    stripTrailingBackslash(fullTo);
    if (!fitsWithBackslash(fullTo))
        return giveNil();
    DriveKeeper drive;
    if (!MoveFileA(fullFrom, fullTo))
        return giveNil();
    return returnDirectory(fullTo);
}

int kelDeltree(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH], full[MAX_PATH];
    if (!in.path(path) || !in.end())
        return stopped();
    stripTrailingBackslash(path);
    // "" or "C:" is the current folder, "C:\\" a whole drive: easily passed by mistake (an
    // empty variable), never meant as a tree to remove.
    if (namesRoot(path) || namesDevice(path) || !absolutePath(full, path) || namesRoot(full))
        return giveNil();
    stripTrailingBackslash(full);
    DWORD attributes = GetFileAttributesA(full);
    bool removed = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
                       ? removeLink(full)  // a link: only the link goes
                       : removeTree(full);
    if (!removed)
        return giveNil();
    return returnDirectory(full);
}

int kelSubdir(struct resbuf* args)
{
    Args in(args);
    char pattern[MAX_PATH] = "*.*", full[MAX_PATH];
    if (in.more()) {
        if (!in.path(pattern) || !in.end())
            return stopped();
        if (namesDeviceFolder(pattern))
            return giveNil();
        size_t n = std::strlen(pattern);
        if (!addTrailingBackslash(pattern, sizeof pattern) || n + 4 >= sizeof pattern)
            return giveNil();
        std::strcat(pattern, "*.*");
    }
    if (!absolutePath(full, pattern))
        return giveNil();
    return listNames(full, 0, [](const WIN32_FIND_DATAA& e) {
        return (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::strcmp(e.cFileName, ".") != 0;
    });
}

int kelSysdir(struct resbuf* args) { return systemDirectory(args, systemPath); }
int kelTempdir(struct resbuf* args) { return systemDirectory(args, tempPath); }
int kelWindir(struct resbuf* args) { return systemDirectory(args, windowsPath); }
