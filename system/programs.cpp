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
#include "results.h"

namespace {

// The window state of a show mode 0 to 4; -1 for any other.
int showState(int mode)
{
    static const int states[] = {SW_SHOWNORMAL, SW_SHOWNOACTIVATE, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE,
                                 SW_SHOWMAXIMIZED};
    return mode >= 0 && mode <= 4 ? states[mode] : -1;
}

// The optional show mode, the last argument (0 when absent), as a window state; false after
// a message.
bool readShowMode(Args& in, int& state)
{
    int mode = 0;
    if (in.more() && (!in.integer(mode) || !in.end()))
        return false;
    state = showState(mode);
    return state >= 0 || report(MSG_INVALID_ARGUMENT);
}

// Starts a command line with WinExec; the result is the line, or nil when it did not start.
int runLine(const char* line, int state)
{
    if (WinExec(line, static_cast<UINT>(state)) <= 31)
        return giveNil();
    return giveString(line);
}

}  // namespace

int kelCommand(struct resbuf* args)
{
    Args in(args);
    char command[MAX_PATH];
    if (!in.string(command))
        return stopped();
    acutPrintf(MSG_COMMAND_ECHO, command);  // echoed before the show mode is read
    int state = SW_SHOWNORMAL;
    if (!readShowMode(in, state))
        return stopped();
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
    Args in(args);
    char line[MAX_PATH];
    int state = SW_SHOWNORMAL;
    if (!in.string(line) || !readShowMode(in, state))
        return stopped();
    return runLine(line, state);
}

int kelExewait(struct resbuf* args)
{
    Args in(args);
    char line[MAX_PATH];
    int state = SW_SHOWNORMAL;
    if (!in.string(line) || !readShowMode(in, state))
        return stopped();
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
    Args in(args);
    char path[MAX_PATH], parameters[MAX_PATH];
    bool hasParameters;
    if (!in.path(path) || !in.stringOrNil(parameters, hasParameters, MSG_INVALID_ARGUMENT))
        return stopped();
    if (hasParameters)
        toBackslashes(parameters);
    int verb = 0, mode = 0;
    if (in.more()) {
        if (!in.integer(verb))
            return stopped();
        if (in.more() && (!in.integer(mode) || !in.end()))
            return stopped();
    }
    static const char* const verbs[] = {"open", "print", "explore"};
    if (verb < 0 || verb > 2 || showState(mode) < 0)
        return fail(MSG_INVALID_ARGUMENT);
    HINSTANCE rc =
        ShellExecuteA(nullptr, verbs[verb], path, hasParameters ? parameters : nullptr, nullptr, showState(mode));
    return giveBool(reinterpret_cast<INT_PTR>(rc) > 32);
}
