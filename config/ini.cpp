// kel_getini, kel_setini: INI files through the system's private-profile calls.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "diskfile.h"
#include "handlers.h"
#include "memory.h"
#include "messages.h"
#include "paths.h"
#include "results.h"

namespace {

const char kNotFound[] = "NIL";  // the default of every read: reading it back means nothing was found
const DWORD kListSize = 32000;

bool getFileArg(Args& in, char (&path)[MAX_PATH], bool& expanded)
{
    char name[MAX_PATH];
    bool present;
    if (!in.stringOrNil(name, present, MSG_INVALID_FILE_ARGUMENT))
        return false;
    if (!present)
        return report(MSG_INVALID_FILE_ARGUMENT);
    // Against the current folder: a bare name must not land in the Windows folder. A device
    // is no file: the profile calls would read from it or write to it.
    expanded = !namesDevice(name) && _fullpath(path, name, sizeof path) != nullptr && !reachesDevice(path);
    return true;
}

// The section and key positions, the same in both functions.
bool getSectionAndKey(Args& in, char (&section)[MAX_PATH], bool& hasSection, char (&key)[MAX_PATH], bool& hasKey)
{
    return in.stringOrNil(section, hasSection, MSG_INVALID_SECTION_ARGUMENT) &&
           in.stringOrNil(key, hasKey, MSG_INVALID_KEY_ARGUMENT);
}

bool notFound(const char* text) { return std::strcmp(text, kNotFound) == 0; }

int giveNames(const char* section, const char* path)
{
    CHeapBlock block(kListSize);
    char* buffer = block.data();
    if (!buffer)
        return fail(MSG_NO_RESULT_BUFFER);
    DWORD n = GetPrivateProfileStringA(section, nullptr, kNotFound, buffer, kListSize, path);
    StringList names;
    if (n > 0 && !notFound(buffer) && !names.addProfileNames(buffer, n, kListSize))
        return fail(MSG_NO_RESULT_BUFFER);
    return names.give();
}

}  // namespace

int kelGetini(struct resbuf* args)
{
    char section[MAX_PATH], key[MAX_PATH], path[MAX_PATH];
    bool hasSection, hasKey, expanded = false;
    Args in(args);
    if (!getSectionAndKey(in, section, hasSection, key, hasKey) || !getFileArg(in, path, expanded) || !in.end())
        return stopped();
    if (!expanded)
        return giveNil();
    if (!hasSection || !hasKey)
        return giveNames(hasSection ? section : nullptr, path);
    char value[MAX_PATH];
    DWORD n = GetPrivateProfileStringA(section, key, kNotFound, value, sizeof value, path);
    if (n == 0 || notFound(value))
        return giveNil();
    return giveString(value);
}

int kelSetini(struct resbuf* args)
{
    char section[MAX_PATH], key[MAX_PATH], value[MAX_PATH], path[MAX_PATH];
    bool hasSection, hasKey, hasValue, expanded = false;
    Args in(args);
    if (!getSectionAndKey(in, section, hasSection, key, hasKey) ||
        !in.stringOrNil(value, hasValue, MSG_INVALID_STRING) || !getFileArg(in, path, expanded) || !in.end())
        return stopped();
    if (!expanded)
        return giveNil();
    // The system writes what it is given as it stands: a line break would end the line
    // early and put the rest into the file as lines of its own, and a key holding "=" reads
    // back as another key. Such a write is refused, the file untouched.
    if (hasSection && std::strpbrk(section, "\r\n"))
        return fail(MSG_INVALID_SECTION_ARGUMENT);
    // A key line that starts with "[" reads back as a section, one with ";" as a comment.
    char first = hasKey ? key[std::strspn(key, " \t")] : '\0';
    if (hasKey && (std::strpbrk(key, "\r\n=") || first == '[' || first == ';'))
        return fail(MSG_INVALID_KEY_ARGUMENT);
    if (hasValue && std::strpbrk(value, "\r\n"))
        return fail(MSG_INVALID_STRING);
    if (!hasSection) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path);  // flushes the system's copy
        return giveNil();
    }
    // No key: the section goes; no value: the key goes.
    BOOL ok = WritePrivateProfileStringA(section, hasKey ? key : nullptr, hasKey && hasValue ? value : nullptr, path);
    if (!ok)
        return giveNil();
    return giveString(path);
}
