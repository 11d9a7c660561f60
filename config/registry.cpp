// kel_regget, kel_regset, kel_regdel: the module's own registry branch, SOFTWARE\Kelmar under
// the user's hive, or the machine's when the last argument is T. No argument can reach a key
// outside it.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "platform.h"
#include "results.h"

namespace {

const char kBase[] = "SOFTWARE\\Kelmar";

// The arguments: up to three names (four for kel_regset), each a string or nil, then an
// optional T for the machine hive.
struct RegArgs {
    char name[4][MAX_PATH];
    bool has[4];
    HKEY hive;
};

bool readArgs(const resbuf* rb, int count, bool firstRequired, RegArgs& a)
{
    for (int k = 0; k < count; ++k, rb = rb->rbnext) {
        if (!getStringOrNilArg(rb, a.name[k], a.has[k], MSG_INVALID_ARGUMENT_TYPE))
            return false;
        if (k == 0 && firstRequired && !a.has[0])
            return report(MSG_INVALID_ARGUMENT_TYPE);
    }
    a.hive = HKEY_CURRENT_USER;
    if (rb) {
        if (rb->restype != RTT)
            return report(MSG_INVALID_ARGUMENT_TYPE);
        a.hive = HKEY_LOCAL_MACHINE;
        if (!noMoreArgs(rb->rbnext))
            return false;
    }
    return true;
}

// A level of a key path: one or more key names joined by backslashes, none of them empty,
// "." or "..". Anything else could name the branch itself or look like a way out of it.
bool validLevel(const char* level)
{
    const char* p = level;
    for (;;) {
        const char* end = std::strchr(p, '\\');
        size_t n = end ? static_cast<size_t>(end - p) : std::strlen(p);
        if (n == 0 || (n == 1 && p[0] == '.') || (n == 2 && p[0] == '.' && p[1] == '.'))
            return false;
        if (!end)
            return true;
        p = end + 1;
    }
}

// The base path and the given levels; false after a message when a level is not a key name
// or the path does not fit.
bool keyPath(char (&path)[MAX_PATH], const char* first, const char* second)
{
    for (const char* level : {first, second})
        if (level && !validLevel(level))
            return report(MSG_INVALID_STRING);
    int n = std::snprintf(path, sizeof path, "%s%s%s%s%s", kBase, first ? "\\" : "", first ? first : "",
                          second ? "\\" : "", second ? second : "");
    if (n < 0 || static_cast<size_t>(n) >= sizeof path)
        return report(MSG_INVALID_STRING_LENGTH);
    return true;
}

void returnSubkeys(HKEY key)
{
    StringList names;
    char name[MAX_PATH];
    for (DWORD index = 0; RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS; ++index)
        if (!names.add(name))
            return (void)report(MSG_NO_RESULT_BUFFER);
    names.returnList();
}

// Deletes parent\name and everything under it, deepest first.
LONG deleteTree(HKEY parent, const char* name)
{
    if (!name || !*name)
        return ERROR_BADKEY;  // the empty name would be the parent itself
    HKEY key;
    LONG rc = RegOpenKeyExA(parent, name, 0, DELETE | KEY_ENUMERATE_SUB_KEYS, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    for (;;) {
        char sub[512];
        DWORD size = sizeof sub;
        rc = RegEnumKeyExA(key, 0, sub, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_SUCCESS)
            rc = deleteTree(key, sub);
        if (rc != ERROR_SUCCESS) {
            RegCloseKey(key);
            return rc;
        }
    }
    rc = RegDeleteKeyA(parent, name);
    RegCloseKey(key);
    return rc;
}

LONG deleteKey(HKEY parent, const char* name)
{
    switch (platformFamily()) {
    case 1: return RegDeleteKeyA(parent, name);  // removes the subtree on this family
    case 2: return deleteTree(parent, name);
    default: return ERROR_NOT_SUPPORTED;
    }
}

}  // namespace

int kelRegget(struct resbuf* args)
{
    RegArgs a;
    if (!readArgs(args, 3, false, a))
        return RTNORM;
    char path[MAX_PATH];
    if (!keyPath(path, a.has[0] ? a.name[0] : nullptr, a.has[0] && a.has[1] ? a.name[1] : nullptr))
        return RTNORM;
    HKEY key;
    if (RegOpenKeyExA(a.hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return acedRetNil(), RTNORM;
    if (!a.has[2]) {
        returnSubkeys(key);
    } else {
        // One byte past the buffer holds a terminator, so that data filling the buffer
        // are seen to have none.
        char data[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH;
        LONG rc = RegQueryValueExA(key, a.name[2], nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        if (rc != ERROR_SUCCESS || std::memchr(data, '\0', MAX_PATH) == nullptr)
            acedRetNil();
        else
            acedRetStr(data);
    }
    RegCloseKey(key);
    return RTNORM;
}

int kelRegset(struct resbuf* args)
{
    RegArgs a;
    if (!readArgs(args, 4, true, a))
        return RTNORM;
    char path[MAX_PATH];
    if (!keyPath(path, a.name[0], a.has[1] ? a.name[1] : nullptr))
        return RTNORM;
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(a.hive, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE,
                        nullptr, &key, &disposition) != ERROR_SUCCESS)
        return acedRetNil(), RTNORM;
    if (!a.has[2]) {
        RegCloseKey(key);
        acedRetStr(path);
        return RTNORM;
    }
    const char* data = a.name[3];  // nil stores an empty string
    LONG rc = RegSetValueExA(key, a.name[2], 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                             static_cast<DWORD>(std::strlen(data) + 1));
    RegCloseKey(key);
    if (rc == ERROR_SUCCESS)
        acedRetStr(data);
    else
        acedRetNil();
    return RTNORM;
}

int kelRegdel(struct resbuf* args)
{
    RegArgs a;
    if (!readArgs(args, 3, false, a))
        return RTNORM;
    if (!a.has[0])
        return acedRetNil(), RTNORM;
    // What goes: the value named, else the deepest key named, from its parent.
    const char* name;
    char parent[MAX_PATH];
    bool ok;
    if (a.has[2]) {
        name = a.name[2];
        ok = keyPath(parent, a.name[0], a.has[1] ? a.name[1] : nullptr);
    } else if (a.has[1]) {
        name = a.name[1];
        ok = validLevel(a.name[1]) ? keyPath(parent, a.name[0], nullptr) : report(MSG_INVALID_STRING);
    } else {
        name = a.name[0];
        ok = validLevel(a.name[0]) ? keyPath(parent, nullptr, nullptr) : report(MSG_INVALID_STRING);
    }
    if (!ok)
        return RTNORM;
    HKEY key;
    if (RegOpenKeyExA(a.hive, parent, 0, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return acedRetNil(), RTNORM;
    LONG rc = a.has[2] ? RegDeleteValueA(key, name) : deleteKey(key, name);
    RegCloseKey(key);
    if (rc == ERROR_SUCCESS)
        acedRetStr(name);
    else
        acedRetNil();
    return RTNORM;
}
