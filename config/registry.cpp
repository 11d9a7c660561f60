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
#include "registry.h"
#include "registrycore.h"
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

bool readArgs(struct resbuf* args, int count, bool firstRequired, RegArgs& a)
{
    Args in(args);
    for (int k = 0; k < count; ++k) {
        if (!in.stringOrNil(a.name[k], a.has[k], MSG_INVALID_ARGUMENT_TYPE))
            return false;
        if (k == 0 && firstRequired && !a.has[0])
            return report(MSG_INVALID_ARGUMENT_TYPE);
    }
    a.hive = HKEY_CURRENT_USER;
    if (in.more()) {
        if (!in.pass(RTT))
            return report(MSG_INVALID_ARGUMENT_TYPE);
        a.hive = HKEY_LOCAL_MACHINE;
        if (!in.end())
            return false;
    }
    return true;
}

// The base path and the given levels; false after a message when a level is not a key name
// or the path does not fit.
bool keyPath(char (&path)[MAX_PATH], const char* first, const char* second)
{
    switch (joinKeyPath(path, sizeof path, kBase, first, second)) {
    case KeyPath::Built: return true;
    case KeyPath::BadLevel: return report(MSG_INVALID_STRING);
    default: return report(MSG_INVALID_STRING_LENGTH);
    }
}

// A key opened as itself (REG_OPTION_OPEN_LINK) is a link when it holds its target.
bool isLink(HKEY key)
{
    DWORD type = REG_NONE;
    return RegQueryValueExA(key, "SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
           type == REG_LINK;
}

// Opens the key path level by level from the hive, each level as itself, so that a link
// planted anywhere on the way is seen rather than followed: false when a level is a link
// (the path would lead out of the branch) or cannot be opened, or made when create is set.
// The last level is opened with the given rights.
bool openLevels(HKEY hive, const char* path, REGSAM rights, bool create, CKey& key)
{
    CKey parent;  // none while the hive is the parent
    const char* at = path;
    char name[MAX_PATH];
    while (nextKeyName(at, name, sizeof name)) {
        REGSAM want = *at ? KEY_QUERY_VALUE | (create ? KEY_CREATE_SUB_KEY : 0) : rights;
        // A level that is there is opened, never created over: only an open that names
        // REG_OPTION_OPEN_LINK is sure to stop at a link.
        HKEY from = parent ? HKEY(parent) : hive;
        CKey child;
        LONG rc = child.Open(from, name, REG_OPTION_OPEN_LINK, want);
        if (rc == ERROR_ACCESS_DENIED && *at && create)  // a level the user may only read, such as SOFTWARE
            rc = child.Open(from, name, REG_OPTION_OPEN_LINK, KEY_QUERY_VALUE);
        if (rc == ERROR_FILE_NOT_FOUND && create)
            rc = child.Create(from, name, REG_OPTION_NON_VOLATILE, want);
        parent.Close();
        if (rc != ERROR_SUCCESS)
            return false;
        if (isLink(child))
            return false;
        parent.Attach(child.Detach());
    }
    if (*at)  // a name too long for its buffer: never a shorter path
        return false;
    key.Attach(parent.Detach());
    return key != nullptr;
}

// Opens parent\name as itself with the given rights; false when it cannot be opened or
// is a link.
bool openChild(HKEY parent, const char* name, REGSAM rights, CKey& key)
{
    if (key.Open(parent, name, REG_OPTION_OPEN_LINK, rights | KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return false;
    if (!isLink(key))
        return true;
    key.Close();
    return false;
}

// True when parent\name or any key below it is a link, or cannot be looked through.
bool treeHasLink(HKEY parent, const char* name)
{
    CKey key;
    if (!openChild(parent, name, KEY_ENUMERATE_SUB_KEYS, key))
        return true;
    bool found = false;
    char sub[512];
    for (DWORD index = 0; !found; ++index) {
        DWORD size = sizeof sub;
        LONG rc = RegEnumKeyExA(key, index, sub, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        found = rc != ERROR_SUCCESS || treeHasLink(key, sub);
    }
    return found;
}

int giveSubkeys(HKEY key)
{
    StringList names;
    char name[MAX_PATH];
    for (DWORD index = 0; RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS; ++index)
        if (!names.add(name))
            return fail(MSG_NO_RESULT_BUFFER);
    return names.give();
}

// Deletes parent\name and everything under it, deepest first.
LONG deleteTree(HKEY parent, const char* name)
{
    if (!name || !*name)
        return ERROR_BADKEY;  // the empty name would be the parent itself
    CKey key;
    if (!openChild(parent, name, DELETE | KEY_ENUMERATE_SUB_KEYS, key))
        return ERROR_ACCESS_DENIED;  // a link is never descended into
    LONG rc;
    for (;;) {
        char sub[512];
        DWORD size = sizeof sub;
        rc = RegEnumKeyExA(key, 0, sub, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_SUCCESS)
            rc = deleteTree(key, sub);
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    return RegDeleteKeyA(parent, name);
}

// Deletes the key base\first[\second], named by name from its parent: never when a level of
// its path or a key of its tree is a link, since deleting through a link would reach keys
// outside the branch.
LONG deleteKey(HKEY hive, const char* first, const char* second, HKEY parent, const char* name)
{
    char path[MAX_PATH];
    CKey key;
    if (joinKeyPath(path, sizeof path, kBase, first, second) != KeyPath::Built ||
        !openLevels(hive, path, KEY_QUERY_VALUE, false, key))
        return ERROR_ACCESS_DENIED;
    key.Close();
    if (treeHasLink(parent, name))
        return ERROR_ACCESS_DENIED;
    switch (platformFamily()) {
    case VER_PLATFORM_WIN32_WINDOWS: return RegDeleteKeyA(parent, name);  // removes the subtree on this family
    case VER_PLATFORM_WIN32_NT: return deleteTree(parent, name);
    default: return ERROR_NOT_SUPPORTED;
    }
}

}  // namespace

int kelRegget(struct resbuf* args)
{
    RegArgs a;
    if (!readArgs(args, 3, false, a))
        return stopped();
    char path[MAX_PATH];
    if (!keyPath(path, a.has[0] ? a.name[0] : nullptr, a.has[0] && a.has[1] ? a.name[1] : nullptr))
        return stopped();
    CKey key;
    if (!openLevels(a.hive, path, KEY_READ, false, key))
        return giveNil();
    if (!a.has[2])
        return giveSubkeys(key);
    // One byte past the buffer holds a terminator, so that data filling the buffer are seen
    // to have none.
    char data[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    LONG rc = RegQueryValueExA(key, a.name[2], nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    if (rc != ERROR_SUCCESS || std::memchr(data, '\0', MAX_PATH) == nullptr)
        return giveNil();
    return giveString(data);
}

int kelRegset(struct resbuf* args)
{
    RegArgs a;
    if (!readArgs(args, 4, true, a))
        return stopped();
    char path[MAX_PATH];
    if (!keyPath(path, a.name[0], a.has[1] ? a.name[1] : nullptr))
        return stopped();
    CKey key;
    if (!openLevels(a.hive, path, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, true, key))
        return giveNil();
    if (!a.has[2])
        return giveString(path);
    const char* data = a.name[3];  // nil stores an empty string
    LONG rc = RegSetValueExA(key, a.name[2], 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                             static_cast<DWORD>(std::strlen(data) + 1));
    if (rc != ERROR_SUCCESS)
        return giveNil();
    return giveString(data);
}

int kelRegdel(struct resbuf* args)
{
    RegArgs a;
    if (!readArgs(args, 3, false, a))
        return stopped();
    if (!a.has[0])
        return giveNil();
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
        return stopped();
    CKey key;
    if (!openLevels(a.hive, parent, KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, false, key))
        return giveNil();
    const char* second = a.has[1] ? a.name[1] : nullptr;
    LONG rc = a.has[2] ? RegDeleteValueA(key, name) : deleteKey(a.hive, a.name[0], second, key, name);
    if (rc != ERROR_SUCCESS)
        return giveNil();
    return giveString(name);
}
