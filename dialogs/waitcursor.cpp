// kel_waitcursor: the hourglass over the host for as long as a LISP program works. A hook
// on the host's thread puts the hourglass back after every window procedure call (the host's
// windows set their own cursors as the mouse moves), and the host's crosshair and pick box
// shrink to their smallest meanwhile.
#include "waitcursor.h"

#include <windows.h>

#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "moduleresources.h"
#include "results.h"
#include "trace.h"

namespace {

// A host system variable set to 1 while the wait cursor is on, and given back after.
struct ShrunkVariable {
    const char* name;
    short saved;
    bool held;  // read and set: the saved value goes back
};

bool waitCursorOn = false;
HHOOK waitHook = nullptr;
HCURSOR waitCursor = nullptr;
HCURSOR savedCursor = nullptr;
ShrunkVariable shrunk[] = {{"CURSORSIZE", 0, false}, {"PICKBOX", 0, false}};

void setShort(const char* name, short value)
{
    resbuf rb = {};
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    acedSetVar(name, &rb);
}

void shrink(ShrunkVariable& v)
{
    resbuf rb = {};
    v.held = acedGetVar(v.name, &rb) == RTNORM && rb.restype == RTSHORT;
    if (!v.held)
        return;
    v.saved = rb.resval.rint;
    setShort(v.name, 1);
}

LRESULT CALLBACK keepWaitCursor(int code, WPARAM wp, LPARAM lp)
{
    try {
        LRESULT next = CallNextHookEx(waitHook, code, wp, lp);
        if (code >= 0)
            SetCursor(waitCursor);
        return next;
    } catch (...) {
        traceException("kel_waitcursor's hook");
        return 0;
    }
}

bool startWaitCursor()
{
    if (waitCursorOn)
        return true;
    waitCursor = LoadCursorA(nullptr, IDC_WAIT);
    savedCursor = SetCursor(waitCursor);
    waitHook = SetWindowsHookExA(WH_CALLWNDPROCRET, keepWaitCursor, nullptr, GetCurrentThreadId());
    if (!waitHook) {
        SetCursor(savedCursor);
        return report(MSG_CANNOT_HOOK);
    }
    waitCursorOn = true;
    for (ShrunkVariable& v : shrunk)
        shrink(v);
    return true;
}

}  // namespace

void endWaitCursor()
{
    if (!waitCursorOn)
        return;
    UnhookWindowsHookEx(waitHook);
    waitHook = nullptr;
    SetCursor(savedCursor);
    waitCursorOn = false;
    for (ShrunkVariable& v : shrunk)
        if (v.held)
            setShort(v.name, v.saved);
}

int kelWaitcursor(struct resbuf* args)
{
    ModuleResources resources;
    Args in(args);
    if (!in.more()) {
        endWaitCursor();
        return giveNil();
    }
    if (!in.pass(RTT) || in.more())
        return fail(MSG_INVALID_ARGUMENT);
    if (!startWaitCursor())
        return giveNothing();
    return giveT();
}
