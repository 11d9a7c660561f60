// kel_ver, kel_mem, kel_username, kel_computer, kel_adminp, kel_date, kel_time, kel_random:
// facts about the machine and its user, and the settings two of them change.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "handle.h"
#include "handlers.h"
#include "messages.h"
#include "registry.h"
#include "results.h"
#include "sysinfocore.h"

namespace {

// "Workstation ", "Server " or nothing, from the registry, for systems without the
// extended version record.
const char* editionFromRegistry()
{
    CKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions", 0, KEY_QUERY_VALUE) !=
        ERROR_SUCCESS)
        return "";
    char type[80] = {};
    DWORD size = sizeof type - 1;
    LONG rc = RegQueryValueExA(key, "ProductType", nullptr, nullptr, reinterpret_cast<BYTE*>(type), &size);
    if (rc != ERROR_SUCCESS)
        return "";
    if (_stricmp(type, "WINNT") == 0)
        return "Workstation ";
    if (_stricmp(type, "SERVERNT") == 0)
        return "Server ";
    return "";
}

int giveDateOrTime(bool date, const SYSTEMTIME& t)
{
    char text[16];
    if (date)
        dateText(text, t.wMonth, t.wDay, t.wYear);
    else
        timeText(text, t.wHour, t.wMinute, t.wSecond);
    return giveString(text);
}

// kel_date and kel_time: read, and set first when a string is given.
int dateOrTime(struct resbuf* args, bool date)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    Args in(args);
    if (!in.more())
        return giveDateOrTime(date, t);
    char text[MAX_PATH];
    if (!in.string(text) || !in.end())
        return stopped();
    int n[3] = {0, 0, 0};
    int pieces = splitNumbers(text, n, 3);
    if (pieces < (date ? 3 : 1))
        return fail(MSG_INVALID_STRING);
    uint16_t f[3];
    if (!timeFields(n, 3, f))
        return giveNil();  // out of range, as the system refuses it
    if (date) {
        t.wMonth = f[0];
        t.wDay = f[1];
        t.wYear = f[2];
    } else {
        t.wHour = f[0];
        t.wMinute = f[1];
        t.wSecond = f[2];
    }
    if (!SetLocalTime(&t))
        return giveNil();  // refused: no privilege, or a number out of range
    GetLocalTime(&t);
    return giveDateOrTime(date, t);
}

bool seeded = false;

}  // namespace

int kelVer(struct resbuf*)
{
    OSVERSIONINFOEXA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    bool extended = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v)) != 0;
    if (!extended) {
        std::memset(&v, 0, sizeof v);
        v.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&v)))
            return giveNil();
    }
    switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32s: return giveString("Microsoft Win32s");
    case VER_PLATFORM_WIN32_WINDOWS: {
        bool later = v.dwMajorVersion > 4 || (v.dwMajorVersion == 4 && v.dwMinorVersion > 0);
        return giveString(later ? "Windows 98" : "Windows 95");
    }
    case VER_PLATFORM_WIN32_NT: break;
    default: return giveNil();
    }
    const char* name = v.dwMajorVersion <= 4 ? "Windows NT " : v.dwMajorVersion == 5 ? "Windows 2000 " : "";
    const char* edition = "";
    if (!extended)
        edition = editionFromRegistry();
    else if (v.wProductType == VER_NT_WORKSTATION)
        edition = v.dwMajorVersion <= 4 ? "Workstation " : v.dwMajorVersion == 5 ? "Professional " : "";
    else if (v.wProductType == VER_NT_SERVER)
        edition = "Server ";
    char text[64];
    std::snprintf(text, sizeof text, "%s%s%lu.%lu", name, edition, v.dwMajorVersion, v.dwMinorVersion);
    return giveString(text);
}

int kelMem(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    MEMORYSTATUS m = {};
    m.dwLength = sizeof m;
    GlobalMemoryStatus(&m);
    resbuf* list = acutBuildList(RTSHORT, static_cast<int>(m.dwMemoryLoad), RTREAL, static_cast<double>(m.dwTotalPhys),
                                 RTREAL, static_cast<double>(m.dwAvailPhys), RTREAL, static_cast<double>(m.dwTotalPageFile),
                                 RTREAL, static_cast<double>(m.dwAvailPageFile), RTREAL,
                                 static_cast<double>(m.dwTotalVirtual), RTREAL, static_cast<double>(m.dwAvailVirtual), 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    return giveList(list);
}

int kelUsername(struct resbuf* args)
{
    if (Args(args).more())
        return failNoResult(MSG_TOO_MANY);  // no result: the call yields nothing
    char name[MAX_PATH];
    DWORD size = sizeof name;
    if (!GetUserNameA(name, &size))
        return giveNil();
    return giveString(name);
}

int kelComputer(struct resbuf* args)
{
    Args in(args);
    if (!in.more()) {
        char name[16];
        DWORD size = sizeof name;
        if (!GetComputerNameA(name, &size))
            return giveNil();
        return giveString(name);
    }
    // Its argument errors fail the call: no result, and an error status.
    if (!in.at(RTSTR))
        return failCall(MSG_INVALID_ARGUMENT_TYPE);
    const char* name = in.text();
    in.skip();
    if (in.more())
        return failCall(MSG_TOO_MANY);
    if (std::strlen(name) > 15)
        return failCall(MSG_INVALID_STRING_LENGTH);
    if (!SetComputerNameA(name))
        return giveNil();
    return giveString(name);
}

int kelAdminp(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    HANDLE opened;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, FALSE, &opened) &&
        !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened))
        return giveT();  // no security on this system: everyone administers it
    CHandle token(opened);
    bool admin = true;
    // 4,096 bytes hold some hundred groups; a user of a large domain may be in more, and
    // is then asked again with room for all (a failed read would count him an administrator).
    std::vector<uint64_t> room(512);
    DWORD size = 0;
    bool read = GetTokenInformation(token, TokenGroups, room.data(), 4096, &size) != 0;
    if (!read && GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > 4096) {
        room.resize((size + 7) / 8);
        read = GetTokenInformation(token, TokenGroups, room.data(), size, &size) != 0;
    }
    const BYTE* buffer = reinterpret_cast<const BYTE*>(room.data());
    if (read) {
        SID_IDENTIFIER_AUTHORITY nt = {SECURITY_NT_AUTHORITY};
        PSID admins;
        if (AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                     &admins)) {
            const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer);
            admin = false;
            for (DWORD k = 0; k < groups->GroupCount && !admin; ++k)
                admin = EqualSid(groups->Groups[k].Sid, admins) != 0;
            FreeSid(admins);
        }
    }
    return giveBool(admin);
}

int kelDate(struct resbuf* args) { return dateOrTime(args, true); }
int kelTime(struct resbuf* args) { return dateOrTime(args, false); }

int kelRandom(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    if (!seeded) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        seeded = true;
    }
    return giveInt(std::rand());
}
