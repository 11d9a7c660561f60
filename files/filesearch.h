// The search loop the listing functions share, and helpers for the paths they compose.
#pragma once

#include <windows.h>

#include <cstddef>

#include "filefind.h"
#include "messages.h"
#include "results.h"

enum class SearchEnd {
    Complete,  // every entry seen (or none matched)
    Failed,    // the system stopped the listing with an error: the result is nil
    Stopped    // the handler asked to stop
};

// Calls handle(entry) for each entry of the pattern that has none of the skip attributes,
// in the system's order; handle returns false to stop. The search is always closed.
template <class Handler>
SearchEnd forEachEntry(const char* pattern, DWORD skip, Handler handle)
{
    WIN32_FIND_DATAA entry;
    CFindFile search;
    if (!search.FindFirst(pattern, entry))
        return SearchEnd::Complete;
    SearchEnd end = SearchEnd::Complete;
    for (;;) {
        if (!(entry.dwFileAttributes & skip) && !handle(entry)) {
            end = SearchEnd::Stopped;
            break;
        }
        if (!search.FindNext(entry)) {
            if (GetLastError() != ERROR_NO_MORE_FILES)
                end = SearchEnd::Failed;
            break;
        }
    }
    return end;
}

// The entries that stand for the folder itself and its parent, which a walk never enters.
inline bool isSelfOrParent(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Sets the result: a flat list of the names of the entries handle takes (true), in the
// system's order; nil when none, or when the listing failed.
template <class Handle>
int listNames(const char* full, DWORD skip, Handle handle)
{
    NameList names;
    bool built = true;
    SearchEnd end = forEachEntry(full, skip, [&](const WIN32_FIND_DATAA& e) {
        if (handle(e))
            built = names.add(e.cFileName);
        return built;
    });
    if (!built)
        return fail(MSG_NO_RESULT_BUFFER);
    if (end == SearchEnd::Failed)
        return giveNil();
    return names.give();
}

// The absolute form of path in a 260-byte buffer; false when it does not fit (a path is
// never cut).
bool absolutePath(char (&full)[MAX_PATH], const char* path);

// The drive and directory of an absolute pattern, to put before each entry's name.
struct PatternFolder {
    char text[MAX_PATH];
    explicit PatternFolder(const char* absolutePattern);
    // folder + name into out; false when it does not fit, or when the name is a device's
    // (a Unix folder can hold a file named so, which the system would take for the device).
    bool compose(char (&out)[MAX_PATH], const char* name) const;
};

// Keeps the current drive and gives it back when done, with the directory it had. The drive
// left remembers its current directory, as each drive does.
class DriveKeeper {
public:
    DriveKeeper();
    ~DriveKeeper();
    DriveKeeper(const DriveKeeper&) = delete;
    DriveKeeper& operator=(const DriveKeeper&) = delete;

private:
    int drive_;
    char dir_[MAX_PATH];
    bool haveDir_;
};
