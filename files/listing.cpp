// kel_dir, kel_find, kel_file, kel_filedate, kel_filesize, kel_attrib, kel_touch, kel_copy,
// kel_move (and kel_rename), kel_delete, kel_recent: files listed by pattern, their
// properties, and operations on them.
#include <windows.h>

#include <direct.h>
#include <mbstring.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "diskfile.h"
#include "filefind.h"
#include "filesearch.h"
#include "handlers.h"
#include "messages.h"
#include "paths.h"
#include "results.h"

namespace {

// Attributes each listing leaves out.
const DWORD kSkipListing = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;  // 0x16
const DWORD kSkipDelete = kSkipListing | FILE_ATTRIBUTE_READONLY;                                      // 0x17
const DWORD kSkipTouch = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY;  // 0x13
const DWORD kSkipAttrib = FILE_ATTRIBUTE_DIRECTORY;                                                  // 0x10

// An optional pattern, "*.*" when there is none, made absolute. False when the call is
// over (a message, or nil for a pattern without an absolute form or naming a device).
bool readPattern(struct resbuf* args, bool optional, char (&full)[MAX_PATH])
{
    Args in(args);
    char pattern[MAX_PATH] = "*.*";
    if ((in.more() || !optional) && (!in.path(pattern) || !in.end()))
        return false;
    if (namesDevice(pattern) || !absolutePath(full, pattern))
        return stopWithNil();
    return true;
}

uint64_t sizeOf(const WIN32_FIND_DATAA& e) { return (uint64_t(e.nFileSizeHigh) << 32) | e.nFileSizeLow; }

SYSTEMTIME localWriteTime(const WIN32_FIND_DATAA& e)
{
    FILETIME local;
    SYSTEMTIME t;
    FileTimeToLocalFileTime(&e.ftLastWriteTime, &local);
    FileTimeToSystemTime(&local, &t);
    return t;
}

// Decimal digits of a 64-bit size, which the runtime's formats may not know.
void formatSize(char (&out)[24], uint64_t v)
{
    char digits[24];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    for (int k = 0; k < n; ++k)
        out[k] = digits[n - 1 - k];
    out[n] = '\0';
}

// A list of (name . value) pairs; pairMessage is printed when a pair can't be made.
template <class Pair>
int listPairs(const char* full, DWORD skip, const char* pairMessage, Pair addPair)
{
    PairList pairs;
    if (!pairs.ok())
        return fail(MSG_NO_RESULT_BUFFER);
    bool built = true;
    SearchEnd end = forEachEntry(full, skip, [&](const WIN32_FIND_DATAA& e) { return built = addPair(pairs, e); });
    if (!built)
        return fail(pairMessage);
    if (end == SearchEnd::Failed)
        return giveNil();
    return pairs.give();
}

// kel_find in a directory (absolute, ending in a backslash): its own matches, then each
// subdirectory's, depth first. An allocation failure abandons this directory; the levels
// above go on. Directories are named whole rather than made current one by one, which
// finds the same in the same order at a fraction of the system calls.
void findIn(const char* dir, const char* pattern, HeadedList& found)
{
    char path[MAX_PATH];
    int n = std::snprintf(path, sizeof path, "%s%s", dir, pattern);
    if (n < 0 || static_cast<size_t>(n) >= sizeof path)
        return;
    bool built = true;
    // A pattern with a folder in it ("drawings\\*.dwg") finds in that folder: its names
    // stand there.
    int folder = static_cast<int>(folderLength(pattern));
    SearchEnd end = forEachEntry(path, kSkipListing, [&](const WIN32_FIND_DATAA& e) {
        char full[MAX_PATH];
        int m = std::snprintf(full, sizeof full, "%s%.*s%s", dir, folder, pattern, e.cFileName);
        if (m > 0 && static_cast<size_t>(m) < sizeof full)
            built = found.add(full);
        return built;
    });
    if (!built) {
        acutPrintf(MSG_OUT_OF_MEMORY);
        return;
    }
    if (end == SearchEnd::Failed || std::snprintf(path, sizeof path, "%s*.*", dir) >= static_cast<int>(sizeof path))
        return;
    forEachEntry(path, 0, [&](const WIN32_FIND_DATAA& e) {
        // Links to folders are not followed: a loop of them would never end.
        if (!(e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (e.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
            isSelfOrParent(e.cFileName))
            return true;
        char sub[MAX_PATH];
        int m = std::snprintf(sub, sizeof sub, "%s%s\\", dir, e.cFileName);
        if (m > 0 && static_cast<size_t>(m) < sizeof sub)
            findIn(sub, pattern, found);
        return true;
    });
}

// kel_copy and kel_move: a source and a destination, both absolute; neither may be a device.
bool readTwoPaths(struct resbuf* args, char (&from)[MAX_PATH], char (&to)[MAX_PATH], bool& expanded)
{
    Args in(args);
    char a[MAX_PATH], b[MAX_PATH];
    if (!in.path(a) || !in.path(b) || !in.end())
        return false;
    expanded = !namesDevice(a) && !namesDevice(b) && absolutePath(from, a) && absolutePath(to, b) &&
               !reachesDevice(from) && !reachesDevice(to);
    return true;
}

}  // namespace

int kelDir(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readPattern(args, true, full))
        return stopped();
    return listNames(full, kSkipListing, [](const WIN32_FIND_DATAA&) { return true; });
}

int kelFind(struct resbuf* args)
{
    Args in(args);
    char pattern[MAX_PATH];
    if (!in.path(pattern))
        return stopped();
    HeadedList found;
    if (!found.ok())
        return failNoResult(MSG_OUT_OF_MEMORY);  // no result: the call yields nothing
    char letter = static_cast<char>(_getdrive() + 64);
    if (in.more() && (!in.drive(letter) || !in.end()))
        return stopped();
    if (!isDriveLetter(letter) || namesDevice(pattern))
        return giveNil();  // no folder holds a file of that name
    // From the root of the drive, as the drive names it; the caller's drive and directory
    // stay as they are.
    char root[4] = {letter, ':', '\\', '\0'};
    if (GetDriveTypeA(root) != DRIVE_NO_ROOT_DIR)
        findIn(root, pattern, found);
    return found.give();
}

int kelFile(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readPattern(args, false, full))
        return stopped();
    WIN32_FIND_DATAA e;
    if (!CFindFile().FindFirst(full, e))
        return giveNil();
    char size[24], date[16], time[16];
    formatSize(size, sizeOf(e));
    SYSTEMTIME t = localWriteTime(e);
    std::snprintf(date, sizeof date, "%02u-%02u-%04u", t.wMonth, t.wDay, t.wYear);
    unsigned hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    std::snprintf(time, sizeof time, "%02u:%02u:%02u%c", hour12, t.wMinute, t.wSecond, t.wHour < 12 ? 'a' : 'p');
    DWORD a = e.dwFileAttributes;
    resbuf* list = acutBuildList(RTSTR, full, RTSTR, size, RTSTR, date, RTSTR, time, RTSTR,
                                 (a & FILE_ATTRIBUTE_READONLY) ? "R" : "", RTSTR, (a & FILE_ATTRIBUTE_HIDDEN) ? "H" : "",
                                 RTSTR, (a & FILE_ATTRIBUTE_SYSTEM) ? "S" : "", RTSTR,
                                 (a & FILE_ATTRIBUTE_ARCHIVE) ? "A" : "", 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    return giveList(list);
}

int kelFiledate(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readPattern(args, true, full))
        return stopped();
    return listPairs(full, kSkipListing, MSG_NO_RESULT_BUFFER_CAPITAL, [](PairList& pairs, const WIN32_FIND_DATAA& e) {
        SYSTEMTIME t = localWriteTime(e);
        double date = t.wYear * 10000.0 + t.wMonth * 100.0 + t.wDay + t.wHour * 0.01 + t.wMinute * 0.0001 +
                      t.wSecond * 0.000001;
        return pairs.add(e.cFileName, date);
    });
}

int kelFilesize(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readPattern(args, true, full))
        return stopped();
    return listPairs(full, kSkipListing, MSG_NO_RESULT_BUFFER_CAPITAL, [](PairList& pairs, const WIN32_FIND_DATAA& e) {
        return pairs.add(e.cFileName, static_cast<double>(sizeOf(e)));
    });
}

int kelAttrib(struct resbuf* args)
{
    Args in(args);
    char pattern[MAX_PATH] = "*.*", full[MAX_PATH];
    int code = -1;
    if (in.more()) {
        if (!in.path(pattern))
            return stopped();
        if (in.more() && (!in.integer(code) || !in.end()))
            return stopped();
    }
    if (namesDevice(pattern) || !absolutePath(full, pattern))
        return giveNil();
    if (code > 15)
        return fail(MSG_INVALID_BIT_CODE);
    DWORD word = code > 7 ? static_cast<DWORD>(code + 24) : static_cast<DWORD>(code);
    PatternFolder folder(full);
    return listPairs(full, kSkipAttrib, MSG_NO_RESULT_BUFFER, [&](PairList& pairs, const WIN32_FIND_DATAA& e) {
        DWORD attributes = e.dwFileAttributes;
        char path[MAX_PATH];
        if (code >= 0) {
            if (folder.compose(path, e.cFileName))
                SetFileAttributesA(path, word);
            attributes = word;  // the code asked for is reported
        }
        return pairs.add(e.cFileName, static_cast<short>(attributes > 31 ? attributes - 24 : attributes));
    });
}

int kelTouch(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readPattern(args, false, full))
        return stopped();
    PatternFolder folder(full);
    SYSTEMTIME now;
    FILETIME stamp;
    GetSystemTime(&now);
    SystemTimeToFileTime(&now, &stamp);
    // Only the files whose times were set are listed.
    return listNames(full, kSkipTouch, [&](const WIN32_FIND_DATAA& e) {
        char path[MAX_PATH];
        if (!folder.compose(path, e.cFileName))
            return false;
        CFile f;
        if (!f.Create(path, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL))
            return false;
        return SetFileTime(f, &stamp, &stamp, &stamp) != 0;
    });
}

int kelCopy(struct resbuf* args)
{
    char from[MAX_PATH], to[MAX_PATH];
    bool expanded;
    if (!readTwoPaths(args, from, to, expanded))
        return stopped();
    if (!expanded)
        return giveNil();
    // A failed copy (a full disk) leaves the destination as it was: the copy replaces it
    // only when whole. The source is held open while the destination is checked, so a file
    // is never copied onto itself.
    CReplacement copy;
    CFile source;
    if (!source.Create(from, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL) || !copy.Create(to))
        return giveNil();
    source.Close();
    if (!CopyFileA(from, copy.Path(), copy.Disposition() == CREATE_NEW)) {
        if (GetLastError() == ERROR_FILE_EXISTS)
            copy.NotMade();
        return giveNil();
    }
    if (!copy.Commit())
        return giveNil();
    _mbsupr(reinterpret_cast<unsigned char*>(to));
    return giveString(to);
}

int kelMove(struct resbuf* args)
{
    char from[MAX_PATH], to[MAX_PATH];
    bool expanded;
    if (!readTwoPaths(args, from, to, expanded))
        return stopped();
    stripTrailingBackslash(from);
    stripTrailingBackslash(to);
    if (!expanded)
        return giveNil();
    bool existed = GetFileAttributesA(to) != INVALID_FILE_ATTRIBUTES;
    if (!MoveFileA(from, to)) {
        // A move across drives copies first; when the copy fails (a full disk) the part of
        // it the system leaves is removed, while the source, still whole, keeps the data.
        DWORD left = GetFileAttributesA(to);
        if (!existed && left != INVALID_FILE_ATTRIBUTES && !(left & FILE_ATTRIBUTE_DIRECTORY) &&
            GetFileAttributesA(from) != INVALID_FILE_ATTRIBUTES)
            removeWrittenFile(to);
        return giveNil();
    }
    // Across drives the system copies, then deletes the source; where the source cannot be
    // deleted (read-only, held open) it still reports success, the file in both places.
    // That is no move: the copy goes again, and the caller hears nil.
    if (!sameDrive(from, to) && GetFileAttributesA(from) != INVALID_FILE_ATTRIBUTES) {
        removeWrittenFile(to);
        return giveNil();
    }
    return giveString(to);
}

int kelDelete(struct resbuf* args)
{
    char full[MAX_PATH];
    if (!readPattern(args, false, full))
        return stopped();
    PatternFolder folder(full);
    return listNames(full, kSkipDelete, [&](const WIN32_FIND_DATAA& e) {
        char path[MAX_PATH];
        // Only a file that is gone is listed: a deletion the file system refuses at close
        // (a read-only mount under Wine) still reports success.
        return folder.compose(path, e.cFileName) && DeleteFileA(path) &&
               GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
    });
}

int kelRecent(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH];
    if (!in.more()) {
        SHAddToRecentDocs(SHARD_PATHA, nullptr);  // empties the list
    } else {
        if (!in.path(path) || !in.end())
            return stopped();
        if (!namesDevice(path))  // the shell would open the device to make its link
            SHAddToRecentDocs(SHARD_PATHA, path);
    }
    return giveNil();
}
