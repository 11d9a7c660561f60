// kel_command, kel_execute, kel_exewait, kel_shellexe: other programs started from the host.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>

#include "adslib.h"
#include "args.h"
#include "handle.h"
#include "handlers.h"
#include "messages.h"
#include "paths.h"
#include "platform.h"

namespace {

// The window state of a show mode 0 to 4; -1 for any other.
int showState(int mode)
{
    static const int states[] = {SW_SHOWNORMAL, SW_SHOWNOACTIVATE, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE,
                                 SW_SHOWMAXIMIZED};
    return mode >= 0 && mode <= 4 ? states[mode] : -1;
}

// The optional show mode at rb (0 when absent), as a window state; false after a message.
bool readShowMode(const resbuf* rb, int& state)
{
    int mode = 0;
    if (rb && (!getIntArg(rb, mode) || !noMoreArgs(rb->rbnext)))
        return false;
    state = showState(mode);
    return state >= 0 || report(MSG_INVALID_ARGUMENT);
}

// Starts a command line with WinExec; the result is the line, or nil when it did not start.
int runLine(const char* line, int state)
{
    if (WinExec(line, static_cast<UINT>(state)) > 31)
        acedRetStr(line);
    else
        acedRetNil();
    return RTNORM;
}

}  // namespace

int kelCommand(struct resbuf* args)
{
    char command[MAX_PATH];
    if (!getStringArg(args, command))
        return RTNORM;
    acutPrintf(MSG_COMMAND_ECHO, command);  // echoed before the show mode is read
    int state = SW_SHOWNORMAL;
    if (!readShowMode(args->rbnext, state))
        return RTNORM;
    const char* prefix = nullptr;
    switch (platformFamily()) {
    case VER_PLATFORM_WIN32_WINDOWS: prefix = "COMMAND.COM /C "; break;
    case VER_PLATFORM_WIN32_NT: prefix = "CMD.EXE /C "; break;
    default: return giveNil();  // no interpreter known: nothing is run
    }
    char line[MAX_PATH + 16];
    std::snprintf(line, sizeof line, "%s%s", prefix, command);
    return runLine(line, state);
}

int kelExecute(struct resbuf* args)
{
    char line[MAX_PATH];
    int state = SW_SHOWNORMAL;
    if (!getStringArg(args, line) || !readShowMode(args->rbnext, state))
        return RTNORM;
    return runLine(line, state);
}

int kelExewait(struct resbuf* args)
{
    char line[MAX_PATH];
    int state = SW_SHOWNORMAL;
    if (!getStringArg(args, line) || !readShowMode(args->rbnext, state))
        return RTNORM;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(state);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return giveNil();
    CHandle running(process.hProcess), thread(process.hThread);
    acutPrintf(MSG_RUNNING_PROCESS);
    WaitForSingleObject(running, INFINITE);
    return giveT();
}

int kelShellexe(struct resbuf* args)
{
    char path[MAX_PATH], parameters[MAX_PATH];
    if (!getPathArg(args, path))
        return RTNORM;
    const resbuf* rb = args->rbnext;
    bool hasParameters;
    if (!getStringOrNilArg(rb, parameters, hasParameters, MSG_INVALID_ARGUMENT))
        return RTNORM;
    if (hasParameters)
        toBackslashes(parameters);
    int verb = 0, mode = 0;
    if ((rb = rb->rbnext)) {
        if (!getIntArg(rb, verb))
            return RTNORM;
        if ((rb = rb->rbnext) && (!getIntArg(rb, mode) || !noMoreArgs(rb->rbnext)))
            return RTNORM;
    }
    static const char* const verbs[] = {"open", "print", "explore"};
    if (verb < 0 || verb > 2 || showState(mode) < 0)
        return fail(MSG_INVALID_ARGUMENT);
    HINSTANCE rc =
        ShellExecuteA(nullptr, verbs[verb], path, hasParameters ? parameters : nullptr, nullptr, showState(mode));
    return giveBool(reinterpret_cast<INT_PTR>(rc) > 32);
}
