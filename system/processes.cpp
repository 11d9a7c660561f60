// kel_processes: the running programs, by file name or full path. One strategy per platform
// family, each loading the system libraries it needs only while it runs.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "pathparts.h"
#include "platform.h"
#include "results.h"

namespace {

// Called once per process: id, 16-bit task handle (0 for ordinary processes), file name,
// context. Returns false to stop.
typedef bool (*ProcessCallback)(DWORD id, WORD task, const char* name, void* context);

bool enumerateToolHelp(ProcessCallback callback, void* context)
{
    typedef HANDLE(WINAPI * Snapshot)(DWORD, DWORD);
    typedef BOOL(WINAPI * Walk)(HANDLE, PROCESSENTRY32*);
    HMODULE kernel = LoadLibraryA("Kernel32.DLL");
    if (!kernel)
        return false;
    Snapshot snapshot = entryPoint<Snapshot>(kernel, "CreateToolhelp32Snapshot");
    Walk first = entryPoint<Walk>(kernel, "Process32First");
    Walk next = entryPoint<Walk>(kernel, "Process32Next");
    HANDLE snap = snapshot && first && next ? snapshot(TH32CS_SNAPPROCESS, 0) : INVALID_HANDLE_VALUE;
    if (snap == INVALID_HANDLE_VALUE) {
        FreeLibrary(kernel);
        return false;
    }
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = first(snap, &entry); more; entry.dwSize = sizeof entry, more = next(snap, &entry))
        if (!callback(entry.th32ProcessID, 0, entry.szExeFile, context))
            break;
    CloseHandle(snap);
    FreeLibrary(kernel);
    return true;
}

struct TaskWalk {
    ProcessCallback callback;
    void* context;
    bool stopped;
};

BOOL WINAPI eachTask(DWORD id, WORD, WORD task, PSZ, PSZ file, LPARAM lp)
{
    TaskWalk* walk = reinterpret_cast<TaskWalk*>(lp);
    if (!walk->callback(id, task, file, walk->context)) {
        walk->stopped = true;
        return TRUE;  // non-zero stops the task enumeration
    }
    return FALSE;
}

bool enumeratePsapi(ProcessCallback callback, void* context)
{
    typedef BOOL(WINAPI * EnumIds)(DWORD*, DWORD, DWORD*);
    typedef BOOL(WINAPI * EnumModules)(HANDLE, HMODULE*, DWORD, DWORD*);
    typedef DWORD(WINAPI * ModuleName)(HANDLE, HMODULE, char*, DWORD);
    typedef INT(WINAPI * EnumTasks)(DWORD, BOOL(WINAPI*)(DWORD, WORD, WORD, PSZ, PSZ, LPARAM), LPARAM);
    HMODULE psapi = LoadLibraryA("PSAPI.DLL");
    HMODULE vdm = LoadLibraryA("VDMDBG.DLL");
    EnumIds enumIds = psapi ? entryPoint<EnumIds>(psapi, "EnumProcesses") : nullptr;
    EnumModules enumModules = psapi ? entryPoint<EnumModules>(psapi, "EnumProcessModules") : nullptr;
    ModuleName moduleName = psapi ? entryPoint<ModuleName>(psapi, "GetModuleFileNameExA") : nullptr;
    EnumTasks enumTasks = vdm ? entryPoint<EnumTasks>(vdm, "VDMEnumTaskWOWEx") : nullptr;
    bool ran = false;
    if (enumIds && enumModules && moduleName && enumTasks) {
        // The id buffer doubles until the whole list fits.
        DWORD size = 1024, got = 0;
        DWORD* ids = nullptr;
        for (;;) {
            std::free(ids);
            ids = static_cast<DWORD*>(std::malloc(size));
            if (!ids || !enumIds(ids, size, &got) || got < size)
                break;
            size *= 2;
        }
        if (ids && got < size) {
            ran = true;
            for (DWORD k = 0; k < got / sizeof(DWORD); ++k) {
                char name[MAX_PATH] = "";
                if (HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[k])) {
                    HMODULE first;
                    DWORD needed;
                    if (enumModules(p, &first, sizeof first, &needed) && !moduleName(p, first, name, sizeof name))
                        name[0] = '\0';
                    CloseHandle(p);
                }
                if (!callback(ids[k], 0, name, context))
                    break;
                size_t n = std::strlen(name);
                if (n >= 9 && _stricmp(name + n - 9, "NTVDM.EXE") == 0) {
                    TaskWalk walk = {callback, context, false};
                    enumTasks(ids[k], eachTask, reinterpret_cast<LPARAM>(&walk));
                    if (walk.stopped)
                        break;
                }
            }
        }
        std::free(ids);
    }
    if (vdm)
        FreeLibrary(vdm);
    if (psapi)
        FreeLibrary(psapi);
    return ran;
}

// The process enumerator: true when the platform's strategy ran.
bool enumerateProcesses(ProcessCallback callback, void* context)
{
    switch (platformFamily()) {
    case 1: return enumerateToolHelp(callback, context);
    case 2: return enumeratePsapi(callback, context);
    default: return false;
    }
}

// The names collected by a call, kept for the module's life and emptied at each call.
std::vector<std::string> processNames;

bool collect(DWORD, WORD, const char* name, void*)
{
    if (name && *name)
        processNames.emplace_back(name);
    return true;
}

}  // namespace

int kelProcesses(struct resbuf* args)
{
    // A nil flag is the flag off.
    bool fullPaths = args && args->restype != RTNIL;
    if (args && args->rbnext)
        return report(MSG_TOO_MANY), RTNORM;
    processNames.clear();
    bool ran;
    try {
        ran = enumerateProcesses(collect, nullptr);
    } catch (...) {
        ran = false;  // no memory for the names
    }
    if (!ran)
        return acedRetNil(), RTNORM;
    if (processNames.empty())
        return RTNORM;  // no result: the call yields nothing
    StringList list;
    for (std::string& name : processNames) {
        if (!fullPaths) {
            PathParts p;
            splitPath(name.c_str(), p);
            name = std::string(p.name) + p.ext;
        }
        if (!list.add(name.c_str()))
            return report(MSG_NO_RESULT_BUFFER), RTNORM;
    }
    list.returnList();
    return RTNORM;
}
