// Files and folders as a whole: listing, copying, renaming, deleting, their size and time,
// new folders and names for temporary files.
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <system_error>

#include "builtins.h"

namespace lisp {

namespace fs = std::filesystem;

namespace {

// A file name pattern as the system's: * and ?, case-blind; *.* is every name.
bool nameMatches(const char* name, const char* pattern)
{
    if (std::string(pattern) == "*.*")
        return true;
    for (; *pattern; ++pattern, ++name) {
        if (*pattern == '*') {
            for (const char* rest = name;; ++rest) {
                if (nameMatches(rest, pattern + 1))
                    return true;
                if (!*rest)
                    return false;
            }
        }
        if (!*name || (*pattern != '?' && foldCase(*pattern) != foldCase(*name)))
            return false;
    }
    return !*name;
}

bool exists(const std::string& path)
{
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

// The string argument at k, or FALLBACK when it is absent or nil.
std::string optionalStr(const Args& a, size_t k, const std::string& fallback)
{
    return a.size() > k && !isNil(a[k]) ? str(a[k]) : fallback;
}

// (vl-directory-files [FOLDER PATTERN WHICH]): -1 folders, 1 files, 0 both; by name, as the
// system's own file system keeps them.
Value directoryFiles(Interp&, Args& a)
{
    needCount(a, 0, 3);
    std::string folder = optionalStr(a, 0, "."), pattern = optionalStr(a, 1, "*.*");
    int32_t which = a.size() == 3 && !isNil(a[2]) ? integer(a[2]) : 0;
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder.empty() ? "." : folder), ec);
    if (ec)
        return nullptr;
    std::vector<std::string> names;
    if (which <= 0)
        names = {".", ".."};
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        bool folderEntry = it->is_directory(ec);
        if ((which < 0 && !folderEntry) || (which > 0 && folderEntry))
            continue;
        names.push_back(it->path().filename().string());
    }
    std::stable_sort(names.begin() + (which <= 0 ? 2 : 0), names.end(), lessFolded);
    std::vector<Value> out;
    for (const std::string& n : names)
        if (nameMatches(n.c_str(), pattern.c_str()))
            out.push_back(makeStr(n));
    return listFrom(out);
}

// (vl-file-copy FROM TO [APPEND]): the bytes copied; nil when TO exists and APPEND is nil.
Value fileCopy(Interp&, Args& a)
{
    needCount(a, 2, 3);
    const std::string &from = str(a[0]), &to = str(a[1]);
    bool append = a.size() == 3 && !isNil(a[2]);
    std::error_code ec;
    // A file appended to itself would read what it writes.
    if (isDirectory(from) || isDirectory(to) || (!append && exists(to)) || fs::equivalent(fs::path(from), fs::path(to), ec))
        return nullptr;
    std::FILE* in = std::fopen(from.c_str(), "rb");
    if (!in)
        return nullptr;
    std::FILE* out = std::fopen(to.c_str(), append ? "ab" : "wb");
    if (!out) {
        std::fclose(in);
        return nullptr;
    }
    char buf[65536];
    size_t n, total = 0;
    bool ok = true;
    while ((n = std::fread(buf, 1, sizeof buf, in)) > 0) {
        ok = ok && std::fwrite(buf, 1, n, out) == n;
        total += n;
    }
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    return ok ? makeInt(static_cast<int32_t>(total)) : nullptr;
}

// (vl-file-systime FILE): (YEAR MONTH WEEKDAY DAY HOURS MINUTES SECONDS), local time,
// Sunday 0; nil for no file.
Value fileSystime(Interp&, Args& a)
{
    needCount(a, 1, 1);
    struct stat st;
    if (stat(str(a[0]).c_str(), &st) != 0 || (st.st_mode & S_IFDIR))
        return nullptr;
    std::time_t t = st.st_mtime;
    std::tm* tm = std::localtime(&t);
    if (!tm)
        return nullptr;
    return listFrom({makeInt(tm->tm_year + 1900), makeInt(tm->tm_mon + 1), makeInt(tm->tm_wday), makeInt(tm->tm_mday),
                     makeInt(tm->tm_hour), makeInt(tm->tm_min), makeInt(tm->tm_sec)});
}

// Names given out this session, so that two calls never give the same one; the files made
// under them are deleted when the session ends, as the host does.
struct TempNames {
    std::set<std::string> given;  // upper case
    std::vector<std::string> paths;
    bool add(const std::string& path)
    {
        if (!given.insert(toUpper(path)).second)
            return false;
        paths.push_back(path);
        return true;
    }
    ~TempNames()
    {
        for (const std::string& p : paths)
            if (!isDirectory(p))
                std::remove(p.c_str());
    }
};
TempNames tempNames;

// (vl-filename-mktemp [PATTERN FOLDER EXTENSION]): FOLDER\BASEnnn.EXT, BASE the first five
// characters of the pattern's name, nnn the first number from 001 free on disk and here.
// The file made under it is deleted when the session ends.
Value filenameMktemp(Interp&, Args& a)
{
    needCount(a, 0, 3);
    std::string pattern = optionalStr(a, 0, "$VL~~");
    size_t nameAt = nameStart(pattern), dot = extensionStart(pattern);
    std::string folder = pattern.substr(0, nameAt);
    std::string base = pattern.substr(nameAt, dot == std::string::npos ? std::string::npos : dot - nameAt).substr(0, 5);
    std::string ext = dot == std::string::npos ? "" : pattern.substr(dot);
    if (a.size() >= 2 && !isNil(a[1]))
        folder = str(a[1]);
    if (a.size() == 3 && !isNil(a[2]))
        ext = str(a[2]).empty() || str(a[2])[0] == '.' ? str(a[2]) : "." + str(a[2]);
    if (folder.empty())
        for (const char* var : {"TMP", "TEMP"})
            if (folder.empty() && std::getenv(var))
                folder = std::getenv(var);
    if (folder.empty())
        folder = fs::current_path().string();
    for (int k = 1; k <= 999; ++k) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d", k);
        std::string path = inFolder(folder, base + number + ext);
        if (!exists(path) && tempNames.add(path))
            return makeStr(path);
    }
    return nullptr;
}

const Reg kFolders[] = {
    {"VL-DIRECTORY-FILES", directoryFiles},
    {"VL-FILE-COPY", fileCopy},
    {"VL-FILE-DELETE",  // files only
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         return boolean(!isDirectory(str(a[0])) && std::remove(a[0]->s.c_str()) == 0);
     }},
    {"VL-FILE-RENAME",  // nil when the new name is taken
     [](Interp&, Args& a) {
         needCount(a, 2, 2);
         const std::string &from = str(a[0]), &to = str(a[1]);
         return boolean(exists(from) && !exists(to) && std::rename(from.c_str(), to.c_str()) == 0);
     }},
    {"VL-FILE-SIZE",  // 0 for a folder, nil for nothing
     [](Interp&, Args& a) -> Value {
         needCount(a, 1, 1);
         struct stat st;
         if (stat(str(a[0]).c_str(), &st) != 0)
             return nullptr;
         return makeInt((st.st_mode & S_IFDIR) ? 0 : static_cast<int32_t>(st.st_size));
     }},
    {"VL-FILE-SYSTIME", fileSystime},
    {"VL-FILE-DIRECTORY-P", [](Interp&, Args& a) { needCount(a, 1, 1); return boolean(isDirectory(str(a[0]))); }},
    {"VL-MKDIR",  // nil when it exists or cannot be made
     [](Interp&, Args& a) {
         needCount(a, 1, 1);
         std::error_code ec;
         return boolean(!exists(str(a[0])) && fs::create_directory(fs::path(a[0]->s), ec));
     }},
    {"VL-FILENAME-MKTEMP", filenameMktemp},
};

}  // namespace

bool isDirectory(const std::string& path)
{
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

Family folderBuiltins() { return family(kFolders); }

}  // namespace lisp
