// regtool: plants and removes registry links, as any program of the user can, for the
// tests that the registry functions never follow one.
//   regtool link HIVE KEY TARGET   makes KEY a link to TARGET (made when missing); HIVE is
//                                  HKCU or HKLM, both keys are under it
//   regtool unlink HIVE KEY        deletes the link KEY itself, never what it points to
//   regtool set HIVE KEY NAME DATA  makes KEY when missing and sets a string value
//   regtool delete HIVE KEY        deletes KEY and its tree
//   regtool dump HIVE KEY          the tree under KEY as this 32-bit program sees it: one
//                                  line a key (its path) and a value (NAME=DATA), in order
// Prints "ok" on success; exit status 1 on failure.
#define _WIN32_WINNT 0x0600  // RegDeleteTreeA
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

typedef LONG(WINAPI* NtQueryKeyFn)(HANDLE, int, void*, ULONG, ULONG*);
typedef LONG(WINAPI* NtDeleteKeyFn)(HANDLE);
const int kKeyNameInformation = 3;

template <class T>
T ntdll(const char* name)
{
    return reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

std::wstring wide(const char* s)
{
    std::wstring w;
    for (; *s; ++s)
        w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

HKEY hiveOf(const char* name)
{
    return std::strcmp(name, "HKLM") == 0 ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// The key's name as the registry itself knows it: \REGISTRY\USER\..., the form a link holds.
bool nativeName(HKEY key, std::wstring& name)
{
    auto query = ntdll<NtQueryKeyFn>("NtQueryKey");
    ULONG buffer[1024], size = 0;
    if (!query || query(key, kKeyNameInformation, buffer, sizeof buffer, &size) != 0)
        return false;
    name.assign(reinterpret_cast<const wchar_t*>(buffer + 1), buffer[0] / sizeof(wchar_t));
    return true;
}

int link(HKEY hive, const char* key, const char* target)
{
    HKEY to, from;
    if (RegCreateKeyExW(hive, wide(target).c_str(), 0, nullptr, 0, KEY_READ, nullptr, &to, nullptr) != ERROR_SUCCESS)
        return 1;
    std::wstring name;
    bool named = nativeName(to, name);
    RegCloseKey(to);
    if (!named)
        return 1;
    if (RegCreateKeyExW(hive, wide(key).c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &from, nullptr) != ERROR_SUCCESS)
        return 1;
    // The target's name without a terminator, as links hold it.
    LONG rc = RegSetValueExW(from, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(name.data()),
                             static_cast<DWORD>(name.size() * sizeof(wchar_t)));
    RegCloseKey(from);
    return rc == ERROR_SUCCESS ? 0 : 1;
}

int unlink(HKEY hive, const char* key)
{
    auto remove = ntdll<NtDeleteKeyFn>("NtDeleteKey");
    HKEY k;
    if (!remove || RegOpenKeyExW(hive, wide(key).c_str(), REG_OPTION_OPEN_LINK, DELETE, &k) != ERROR_SUCCESS)
        return 1;
    LONG rc = remove(k);
    RegCloseKey(k);
    return rc == 0 ? 0 : 1;
}

void dump(HKEY key, const std::string& path)
{
    std::printf("%s\n", path.c_str());
    char name[512];
    BYTE data[1024];
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name, dataSize = sizeof data - 1, type = 0;
        if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        data[dataSize] = 0;
        std::printf("  %s=%s\n", name, type == REG_SZ ? reinterpret_cast<char*>(data) : "(data)");
    }
    for (DWORD index = 0;; ++index) {
        DWORD nameSize = sizeof name;
        if (RegEnumKeyExA(key, index, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY sub;
        if (RegOpenKeyExA(key, name, REG_OPTION_OPEN_LINK, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        dump(sub, path + "\\" + name);
        RegCloseKey(sub);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    int rc = 2;
    if (argc == 5 && std::strcmp(argv[1], "link") == 0)
        rc = link(hiveOf(argv[2]), argv[3], argv[4]);
    else if (argc == 6 && std::strcmp(argv[1], "set") == 0) {
        HKEY key;
        rc = 1;
        if (RegCreateKeyExA(hiveOf(argv[2]), argv[3], 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            rc = RegSetValueExA(key, argv[4], 0, REG_SZ, reinterpret_cast<const BYTE*>(argv[5]),
                                static_cast<DWORD>(std::strlen(argv[5]) + 1)) == ERROR_SUCCESS ? 0 : 1;
            RegCloseKey(key);
        }
    } else if (argc == 4 && std::strcmp(argv[1], "delete") == 0)
        rc = RegDeleteTreeA(hiveOf(argv[2]), argv[3]) == ERROR_SUCCESS ? 0 : 1;
    else if (argc == 4 && std::strcmp(argv[1], "dump") == 0) {
        HKEY key;
        rc = RegOpenKeyExA(hiveOf(argv[2]), argv[3], 0, KEY_READ, &key) == ERROR_SUCCESS ? 0 : 1;
        if (rc == 0) {
            dump(key, argv[3]);
            RegCloseKey(key);
            return 0;
        }
    } else if (argc == 4 && std::strcmp(argv[1], "unlink") == 0)
        rc = unlink(hiveOf(argv[2]), argv[3]);
    else
        std::fprintf(stderr, "usage: regtool link|unlink|set|delete|dump HIVE KEY ...\n");
    if (rc == 0)
        std::printf("ok\n");
    return rc;
}
