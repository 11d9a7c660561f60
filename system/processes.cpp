// kel_processes: the running programs, by file name or full path. One strategy per platform
// family, each loading the system libraries it needs only while it runs.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "dll.h"
#include "handle.h"
#include "handlers.h"
#include "memory.h"
#include "messages.h"
#include "pathscore.h"
#include "platform.h"
#include "results.h"
#include "trace.h"

namespace {

// Called once per process: id, 16-bit task handle (0 for ordinary processes), file name,
// context. Returns false to stop.
typedef bool (*ProcessCallback)(DWORD id, WORD task, const char* name, void* context);

bool enumerateToolHelp(ProcessCallback callback, void* context)
{
    typedef HANDLE(WINAPI * Snapshot)(DWORD, DWORD);
    typedef BOOL(WINAPI * Walk)(HANDLE, PROCESSENTRY32*);
    CLibrary kernel;
    if (!kernel.Load("Kernel32.DLL"))
        return false;
    Snapshot snapshot = entryPoint<Snapshot>(kernel, "CreateToolhelp32Snapshot");
    Walk first = entryPoint<Walk>(kernel, "Process32First");
    Walk next = entryPoint<Walk>(kernel, "Process32Next");
    CHandle snap(snapshot && first && next ? snapshot(TH32CS_SNAPPROCESS, 0) : INVALID_HANDLE_VALUE);
    if (!snap.IsOpen())
        return false;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = first(snap, &entry); more; entry.dwSize = sizeof entry, more = next(snap, &entry))
        if (!callback(entry.th32ProcessID, 0, entry.szExeFile, context))
            break;
    return true;
}

struct TaskWalk {
    ProcessCallback callback;
    void* context;
    bool stopped;
    std::exception_ptr failure;  // what the callback threw, thrown again past the system's walk
};

BOOL WINAPI eachTask(DWORD id, WORD, WORD task, PSZ, PSZ file, LPARAM lp)
{
    TaskWalk* walk = reinterpret_cast<TaskWalk*>(lp);
    try {
        if (!walk->callback(id, task, file, walk->context)) {
            walk->stopped = true;
            return TRUE;  // non-zero stops the task enumeration
        }
    } catch (...) {
        traceException("kel_processes' task walk");
        walk->failure = std::current_exception();
        walk->stopped = true;
        return TRUE;
    }
    return FALSE;
}

bool enumeratePsapi(ProcessCallback callback, void* context)
{
    typedef BOOL(WINAPI * EnumIds)(DWORD*, DWORD, DWORD*);
    typedef BOOL(WINAPI * EnumModules)(HANDLE, HMODULE*, DWORD, DWORD*);
    typedef DWORD(WINAPI * ModuleName)(HANDLE, HMODULE, char*, DWORD);
    typedef INT(WINAPI * EnumTasks)(DWORD, BOOL(WINAPI*)(DWORD, WORD, WORD, PSZ, PSZ, LPARAM), LPARAM);
    typedef BOOL(WINAPI * ImageName)(HANDLE, DWORD, char*, DWORD*);
    CLibrary psapi, vdm, kernel;
    psapi.Load("PSAPI.DLL");
    vdm.Load("VDMDBG.DLL");
    // A 32-bit caller cannot walk the modules of a 64-bit process: where the system has it,
    // the process's image name stands in, or every 64-bit program would be missing.
    ImageName imageName = kernel.Load("Kernel32.DLL") ? entryPoint<ImageName>(kernel, "QueryFullProcessImageNameA") : nullptr;
    EnumIds enumIds = psapi ? entryPoint<EnumIds>(psapi, "EnumProcesses") : nullptr;
    EnumModules enumModules = psapi ? entryPoint<EnumModules>(psapi, "EnumProcessModules") : nullptr;
    ModuleName moduleName = psapi ? entryPoint<ModuleName>(psapi, "GetModuleFileNameExA") : nullptr;
    EnumTasks enumTasks = vdm ? entryPoint<EnumTasks>(vdm, "VDMEnumTaskWOWEx") : nullptr;
    bool ran = false;
    if (enumIds && enumModules && moduleName && enumTasks) {
        // The id buffer doubles until the whole list fits.
        DWORD size = 1024, got = 0;
        CHeapBlock block;
        DWORD* ids;
        bool listed = false;
        for (;;) {
            ids = reinterpret_cast<DWORD*>(block.Alloc(size));
            if (!ids || !enumIds(ids, size, &got))
                break;
            if (got < size) {
                listed = true;
                break;
            }
            size *= 2;
        }
        if (listed) {
            ran = true;
            for (DWORD k = 0; k < got / sizeof(DWORD); ++k) {
                char name[MAX_PATH] = "";
                CHandle p(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[k]));
                if (p.IsOpen()) {
                    HMODULE first;
                    DWORD needed;
                    DWORD length = sizeof name;
                    if (enumModules(p, &first, sizeof first, &needed)) {
                        if (!moduleName(p, first, name, sizeof name))
                            name[0] = '\0';
                    } else if (!imageName || !imageName(p, 0, name, &length)) {
                        name[0] = '\0';
                    }
                }
                if (!callback(ids[k], 0, name, context))
                    break;
                size_t n = std::strlen(name);
                if (n >= 9 && _stricmp(name + n - 9, "NTVDM.EXE") == 0) {
                    TaskWalk walk = {callback, context, false, nullptr};
                    enumTasks(ids[k], eachTask, reinterpret_cast<LPARAM>(&walk));
                    if (walk.failure)
                        std::rethrow_exception(walk.failure);
                    if (walk.stopped)
                        break;
                }
            }
        }
    }
    return ran;
}

// The process enumerator: true when the platform's strategy ran.
bool enumerateProcesses(ProcessCallback callback, void* context)
{
    switch (platformFamily()) {
    case VER_PLATFORM_WIN32_WINDOWS: return enumerateToolHelp(callback, context);
    case VER_PLATFORM_WIN32_NT: return enumeratePsapi(callback, context);
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
    Args in(args);
    bool fullPaths = in.more() && !in.at(RTNIL);
    in.skip();
    if (!in.end())
        return stopped();
    processNames.clear();
    bool ran;
    try {
        ran = enumerateProcesses(collect, nullptr);
    } catch (...) {
        traceException("kel_processes");
        ran = false;  // no memory for the names
    }
    if (!ran)
        return giveNil();
    if (processNames.empty())
        return giveNothing();
    StringList list;
    for (std::string& name : processNames) {
        if (!fullPaths) {
            PathParts p;
            splitPath(name.c_str(), p);
            name = std::string(p.name) + p.ext;
        }
        if (!list.add(name.c_str()))
            return fail(MSG_NO_RESULT_BUFFER);
    }
    return list.give();
}
