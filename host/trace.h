// The trace a barrier leaves when it stops an exception: one line for a debugger, through
// OutputDebugStringA, naming where it was stopped ("kelmar: exception in kel_dir\n"). Every
// catch-all barrier of the module, and the stand-in host's own, calls it. It runs in catch
// blocks, out of memory among them: it allocates nothing, sends no message and throws nothing.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstring>

inline void traceException(const char* where) noexcept
{
    char line[256];
    std::snprintf(line, sizeof line, "kelmar: exception in %s\n", where);
    OutputDebugStringA(line);
}

// A window's barrier: the window by its class, a dialog by its caption, and the message
// ("window Static, message 0x000C"; "dialog \"KEL_GETSTRING\", message 0x0110"). The caption
// is read by the system's default procedure, so that the window's own, which just threw, is
// not called again.
inline void traceWindowException(HWND window, UINT message) noexcept
{
    char name[64] = "", where[160];
    if (!GetClassNameA(window, name, sizeof name))
        name[0] = '\0';
    if (std::strcmp(name, "#32770") == 0) {
        char caption[64] = "";
        DefWindowProcA(window, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption));
        std::snprintf(where, sizeof where, "dialog \"%s\", message 0x%04X", caption, message);
    } else {
        std::snprintf(where, sizeof where, "window %s, message 0x%04X", name, message);
    }
    traceException(where);
}
