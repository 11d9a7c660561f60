// kel_fullpath, kel_makepath, kel_splitpath, kel_path, kel_search, kel_openp, kel_filep,
// kel_dirp: paths composed, split, completed, searched for and tested.
#include <windows.h>

#include <mbstring.h>

#include <cstdlib>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "filefind.h"
#include "filesearch.h"
#include "handlers.h"
#include "messages.h"
#include "paths.h"
#include "pathscore.h"
#include "results.h"

namespace {

// Reads a path and makes it absolute; the path must be the last argument. False when a
// message was printed (the result is set), or when there is no absolute form (nil set).
// A path that must name a file or folder gives nil at once for a device's name.
bool readAbsolutePath(struct resbuf* args, char (&full)[MAX_PATH], bool entry = false)
{
    Args in(args);
    char path[MAX_PATH];
    if (!in.path(path) || !in.end())
        return false;
    if ((entry && namesDevice(path)) || !absolutePath(full, path))
        return stopWithNil();
    return true;
}

// The attributes of the first entry the path finds; false when it finds none.
bool firstEntry(const char* path, DWORD& attributes)
{
    WIN32_FIND_DATAA entry;
    if (!CFindFile().FindFirst(path, entry))
        return false;
    attributes = entry.dwFileAttributes;
    return true;
}

}  // namespace

int kelFullpath(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readAbsolutePath(args, full))
        return stopped();
    return giveString(full);
}

int kelMakepath(struct resbuf* args)
{
    Args in(args);
    char parts[4][MAX_PATH];
    for (auto& part : parts)
        if (!in.path(part))
            return stopped();
    if (!in.end())
        return stopped();
    char path[MAX_PATH];
    if (!makePath(path, sizeof path, parts[0], parts[1], parts[2], parts[3]))
        return giveNil();  // too long to be a path
    return giveString(path);
}

int kelSplitpath(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH];
    if (!in.path(path) || !in.end())
        return stopped();
    PathParts p;
    splitPath(path, p);
    resbuf* list = acutBuildList(RTSTR, p.drive, RTSTR, p.dir, RTSTR, p.name, RTSTR, p.ext, 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    return giveList(list);
}

int kelPath(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    const char* value = std::getenv("PATH");
    if (!value)
        return giveNothing();
    HeadedList dirs;
    if (!dirs.ok())
        return fail(MSG_NO_RESULT_BUFFER_UPPER);
    // The whole value is split; an entry that does not fit a path buffer is left out.
    for (const char* p = value; *p;) {
        const char* end = std::strchr(p, ';');
        size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
        char dir[MAX_PATH];
        if (n > 0 && n < sizeof dir) {
            std::memcpy(dir, p, n);
            dir[n] = '\0';
            if (addTrailingBackslash(dir, sizeof dir) && !dirs.add(dir))
                return fail(MSG_NO_RESULT_BUFFER_UPPER);
        }
        p += n + (end ? 1 : 0);
    }
    return dirs.give();
}

int kelSearch(struct resbuf* args)
{
    // Its argument errors fail the call: no result, and an error status. Both types are
    // checked before either length.
    Args in(args);
    if (!in.more())
        return failCall(MSG_TOO_FEW);
    if (!in.at(RTSTR))
        return failCall(MSG_INVALID_ARGUMENT_TYPE);
    const char* name = in.text();
    in.skip();
    if (!in.more())
        return failCall(MSG_TOO_FEW);
    if (!in.at(RTSTR) && !in.at(RTNIL))
        return failCall(MSG_INVALID_ARGUMENT_TYPE);
    bool hasPath = in.at(RTSTR);
    const char* path = hasPath ? in.text() : "";
    in.skip();
    if (in.more())
        return failCall(MSG_TOO_MANY);
    // A string that does not fit a path buffer is an argument error like the others.
    if (std::strlen(name) >= MAX_PATH || std::strlen(path) >= MAX_PATH)
        return failCall(MSG_INVALID_STRING_LENGTH);
    char found[MAX_PATH];
    if (namesDevice(name))
        return giveNil();  // the search would "find" the device
    DWORD n = SearchPathA(hasPath ? path : nullptr, name, nullptr, sizeof found, found, nullptr);
    if (n == 0 || n >= sizeof found)
        return giveNil();
    _mbsupr(reinterpret_cast<unsigned char*>(found));
    return giveString(found);
}

int kelOpenp(struct resbuf* args)
{
    char full[MAX_PATH];
    DWORD attributes;
    if (!readAbsolutePath(args, full, true))
        return stopped();
    if (!firstEntry(full, attributes))
        return giveNil();
    // Opened alone it is nobody else's; refused for sharing, someone holds it.
    HFILE file = _lopen(full, OF_READ | OF_SHARE_EXCLUSIVE);
    if (file != HFILE_ERROR) {
        _lclose(file);
        return giveNil();
    }
    return giveBool(GetLastError() == ERROR_SHARING_VIOLATION);
}

int kelFilep(struct resbuf* args)
{
    char full[MAX_PATH];
    DWORD attributes;
    if (!readAbsolutePath(args, full, true))
        return stopped();
    return giveBool(firstEntry(full, attributes) && !(attributes & FILE_ATTRIBUTE_DIRECTORY));
}

int kelDirp(struct resbuf* args)
{
    char full[MAX_PATH];
    DWORD attributes;
    if (!readAbsolutePath(args, full, true))
        return stopped();
    stripTrailingBackslash(full);
    return giveBool(firstEntry(full, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}
