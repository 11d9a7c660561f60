// The acadhost- functions tests call to see the host's state: its windows, cursor, paints,
// resources and documents, and to make its operations fail.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "filefind.h"
#include "host.h"
#include "palette.h"

namespace {

using lisp::Args;
using lisp::Value;

// The Unix file descriptors the process has open, as Wine shows /proc; -1 without it.
int32_t openDescriptors()
{
    WIN32_FIND_DATAA entry;
    CFindFile search;
    if (!search.FindFirst("Z:\\proc\\self\\fd\\*", entry))
        return -1;
    int32_t count = 0;
    do {
        if (entry.cFileName[0] != '.')
            ++count;
    } while (search.FindNext(entry));
    return count;
}

// Top-level windows made on the host's thread since the counting began: lets a test see
// that a call opened no window.
long topLevelWindowsMade;
HHOOK windowCounter;

LRESULT CALLBACK countWindow(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_CREATEWND && !(reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs->style & WS_CHILD))
        ++topLevelWindowsMade;
    return CallNextHookEx(windowCounter, code, wp, lp);
}

// WM_PAINT messages each window has been handed since the counting began, sent or taken
// from the queue: lets a test see that a call repainted nothing.
std::map<HWND, long> paintsSeen;
HHOOK sentPaints, queuedPaints;

LRESULT CALLBACK countSentPaint(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && reinterpret_cast<CWPSTRUCT*>(lp)->message == WM_PAINT)
        ++paintsSeen[reinterpret_cast<CWPSTRUCT*>(lp)->hwnd];
    return CallNextHookEx(sentPaints, code, wp, lp);
}

LRESULT CALLBACK countQueuedPaint(int code, WPARAM wp, LPARAM lp)
{
    if (code == HC_ACTION && wp == PM_REMOVE && reinterpret_cast<MSG*>(lp)->message == WM_PAINT)
        ++paintsSeen[reinterpret_cast<MSG*>(lp)->hwnd];
    return CallNextHookEx(queuedPaints, code, wp, lp);
}

// The name of a system cursor, or OTHER.
const char* cursorName(HCURSOR cursor)
{
    static const struct {
        LPCSTR id;
        const char* name;
    } known[] = {{IDC_ARROW, "ARROW"},   {IDC_WAIT, "WAIT"},     {IDC_APPSTARTING, "APPSTARTING"},
                 {IDC_IBEAM, "IBEAM"},   {IDC_CROSS, "CROSS"},   {IDC_SIZEWE, "SIZEWE"},
                 {IDC_SIZENS, "SIZENS"}, {IDC_SIZENWSE, "SIZENWSE"}, {IDC_NO, "NO"}};
    for (const auto& k : known)
        if (cursor == LoadCursorA(nullptr, k.id))
            return k.name;
    return "OTHER";
}

const HostFunction kProbes[] = {
    {"ACADHOST-METER",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         const Meter& m = host.meter;
         if (!m.shown)
             return nullptr;
         return lisp::listFrom(
             {lisp::makeStr(m.label), lisp::makeInt(m.minPos), lisp::makeInt(m.maxPos), lisp::makeInt(m.pos)});
     }},
    {"ACADHOST-WINDOW",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         HWND f = host.frame;
         return lisp::makeSym(!IsWindowVisible(f) ? "HIDDEN" : IsIconic(f) ? "MINIMIZED" : IsZoomed(f) ? "MAXIMIZED" : "NORMAL");
     }},
    {"ACADHOST-LOCKED",  // (acadhost-locked KEY-CODE)
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         return (GetKeyState(lisp::intArg(a[0])) & 1) ? lisp::symT() : nullptr;
     }},
    {"ACADHOST-DOCUMENTS",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         std::vector<Value> names;
         for (auto& d : host.docs.documents())
             names.push_back(lisp::makeStr(d->name()));
         return lisp::listFrom(names);
     }},
    // What the process holds now, for soak tests: its committed memory in kB, its handles,
    // its GDI and USER objects, and under Wine its open Unix file descriptors (-1
    // elsewhere), which show leaked handles where Wine counts none.
    {"ACADHOST-RESOURCES",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         PROCESS_MEMORY_COUNTERS memory = {};
         memory.cb = sizeof memory;
         GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
         DWORD handles = 0;
         GetProcessHandleCount(GetCurrentProcess(), &handles);
         return lisp::listFrom({lisp::makeInt(static_cast<int32_t>(memory.PagefileUsage / 1024)),
                                lisp::makeInt(static_cast<int32_t>(handles)),
                                lisp::makeInt(static_cast<int32_t>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))),
                                lisp::makeInt(static_cast<int32_t>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))),
                                lisp::makeInt(openDescriptors())});
     }},
    {"ACADHOST-WINDOWS",  // how many top-level windows the host's thread has made so far
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         if (!windowCounter)
             windowCounter = SetWindowsHookExA(WH_CBT, countWindow, nullptr, GetCurrentThreadId());
         return lisp::makeInt(topLevelWindowsMade);
     }},
    {"ACADHOST-CURSOR",  // the thread's current cursor by name (ARROW, WAIT, ...), nil for none
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         HCURSOR cursor = GetCursor();
         return cursor ? lisp::makeSym(cursorName(cursor)) : nullptr;
     }},
    // (acadhost-paints "TITLE" ID): how many paint messages control ID of the window TITLE
    // has had since the first call of this; nil when there is no such control.
    {"ACADHOST-PAINTS",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 2, 2);
         const std::string& title = lisp::stringArg(a[0]);
         int32_t id = lisp::intArg(a[1]);
         if (!sentPaints) {
             sentPaints = SetWindowsHookExA(WH_CALLWNDPROC, countSentPaint, nullptr, GetCurrentThreadId());
             queuedPaints = SetWindowsHookExA(WH_GETMESSAGE, countQueuedPaint, nullptr, GetCurrentThreadId());
         }
         HWND control = GetDlgItem(FindWindowA(nullptr, title.c_str()), id);
         return control ? lisp::makeInt(paintsSeen[control]) : nullptr;
     }},
    // (acadhost-sleep MS): holds the thread, taking no messages; a test's script waits in
    // steps of these, the host's loop running between them.
    {"ACADHOST-SLEEP",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         Sleep(static_cast<DWORD>(lisp::intArg(a[0], 0, 10000)));
         return nullptr;
     }},
    // Injected faults: the N-th following record, or call of a host operation, fails.
    {"ACADHOST-FAILALLOC",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         host.failAfter("alloc", lisp::intArg(a[0], 0, INT32_MAX));
         return a[0];
     }},
    {"ACADHOST-FAIL",  // (acadhost-fail "OPERATION" N)
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 2, 2);
         host.failAfter(lisp::stringArg(a[0]), lisp::intArg(a[1], 0, INT32_MAX));
         return a[1];
     }},
    // For benchmarks: (acadhost-timing T) times each call into the module; how long the
    // last call spent in the module, and the baselines, in microseconds.
    {"ACADHOST-TIMING",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 0, 1);
         host.timeCalls = !a.empty() && !lisp::isNil(a[0]);
         return host.timeCalls ? lisp::symT() : nullptr;
     }},
    {"ACADHOST-LASTCALL",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         return host.timeCalls ? lisp::makeReal(host.lastCallMicroseconds) : nullptr;
     }},
    // (acadhost-traces): what the process wrote with OutputDebugStringA since the last such
    // call (the module's barriers' traces), oldest first; nil for nothing.
    {"ACADHOST-TRACES",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         std::vector<Value> texts;
         for (const std::string& text : takeTraces())
             texts.push_back(lisp::makeStr(text));
         return lisp::listFrom(texts);
     }},
    {"ACADHOST-MESSAGES",  // (acadhost-messages nil): no messages taken while a form runs
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         host.messagesWhileRunning = !lisp::isNil(a[0]);
         return a[0];
     }},
};

}  // namespace

void defineHostProbes(Host& host) { defineHostFunctions(host, kProbes, sizeof kProbes / sizeof kProbes[0]); }
