// regtool: plants and removes registry links, as any program of the user can, for the
// tests that the registry functions never follow one.
//   regtool link HIVE KEY TARGET   makes KEY a link to TARGET (made when missing); HIVE is
//                                  HKCU or HKLM, both keys are under it
//   regtool unlink HIVE KEY        deletes the link KEY itself, never what it points to
// Prints "ok" on success; exit status 1 on failure.
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

}  // namespace

int main(int argc, char** argv)
{
    int rc = 2;
    if (argc == 5 && std::strcmp(argv[1], "link") == 0)
        rc = link(hiveOf(argv[2]), argv[3], argv[4]);
    else if (argc == 4 && std::strcmp(argv[1], "unlink") == 0)
        rc = unlink(hiveOf(argv[2]), argv[3]);
    else
        std::fprintf(stderr, "usage: regtool link HIVE KEY TARGET | unlink HIVE KEY\n");
    if (rc == 0)
        std::printf("ok\n");
    return rc;
}
