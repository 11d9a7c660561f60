// The main frame window: title, status bar and the progress meter in it.
#include "host.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

namespace {

const char kFrameClass[] = "AcadHostFrame";
const int kMeterWidth = 200;
const UINT_PTR kRaiseOwned = 1;  // the frame's timer

void layoutStatusBar(Host& host)
{
    if (!host.statusBar)
        return;
    SendMessageA(host.statusBar, WM_SIZE, 0, 0);
    RECT rc;
    GetClientRect(host.statusBar, &rc);
    int parts[2] = {rc.right - kMeterWidth, -1};
    SendMessageA(host.statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    RECT part;
    SendMessageA(host.statusBar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&part));
    MoveWindow(host.progress, part.left + 2, part.top + 2, part.right - part.left - 4, part.bottom - part.top - 4, TRUE);
}

// Windows keeps the windows a window owns above it in the z-order; Wine, when a click or a
// closing message box brings the owner up, leaves them behind it, out of sight. The frame
// puts its visible owned windows back above itself, from the lowest up, so that they keep
// their order among themselves (EnumWindows goes from the top down).
BOOL CALLBACK collectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

void raiseOwnedWindows(HWND frame)
{
    if (!IsWindowEnabled(frame))
        return;  // a modal dialog is up, above the frame already: the frame cannot come up
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (GetWindow(*it, GW_OWNER) == frame && IsWindowVisible(*it))
            SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

LRESULT CALLBACK frameProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ACTIVATE:
        // Wine brings the owner up some time after this message: the owned windows follow
        // once it is up.
        if (LOWORD(wp) != WA_INACTIVE)
            SetTimer(wnd, kRaiseOwned, 200, nullptr);
        return DefWindowProcA(wnd, msg, wp, lp);
    case WM_TIMER:
        if (wp != kRaiseOwned)
            return DefWindowProcA(wnd, msg, wp, lp);
        KillTimer(wnd, kRaiseOwned);
        raiseOwnedWindows(wnd);
        return 0;
    case WM_SIZE:
        if (theHost)
            layoutStatusBar(*theHost);
        return 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(wnd, msg, wp, lp);
    }
}

}  // namespace

bool dialogMessage(const Host& host, MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    char name[16] = "";
    if (!root || root == host.frame || !GetClassNameA(root, name, sizeof name) || std::strcmp(name, "#32770") != 0)
        return false;
    return IsDialogMessageA(root, &msg) != FALSE;
}

void dispatchWaiting(const Host& host)
{
    MSG msg;
    // Two ranges: every message but the step to the next form, which waits in the queue.
    const UINT ranges[2][2] = {{0, kStepMessage - 1}, {kStepMessage + 1, 0xFFFFFFFF}};
    for (const auto& range : ranges) {
        while (PeekMessageA(&msg, nullptr, range[0], range[1], PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop between forms
                return;
            }
            if (dialogMessage(host, msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

bool createFrame(Host& host)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = frameProc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    host.frame = CreateWindowExA(0, kFrameClass, "acadhost", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 800, 600,
                                 nullptr, nullptr, inst, nullptr);
    if (!host.frame)
        return false;
    // The status bar paints around the meter, not over it; the meter is one smooth bar.
    host.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "Ready", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | SBARS_SIZEGRIP,
                                     0, 0, 0, 0, host.frame, nullptr, inst, nullptr);
    host.progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | PBS_SMOOTH, 0, 0, 0, 0, host.statusBar, nullptr,
                                    inst, nullptr);
    layoutStatusBar(host);
    ShowWindow(host.frame, SW_SHOWNORMAL);
    UpdateWindow(host.frame);
    return true;
}

void showMeter(Host& host)
{
    if (!host.statusBar)
        return;
    const Meter& m = host.meter;
    SendMessageA(host.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(m.shown ? m.label.c_str() : "Ready"));
    if (m.shown) {
        SendMessageA(host.progress, PBM_SETRANGE32, m.minPos, m.maxPos);
        SendMessageA(host.progress, PBM_SETPOS, m.pos, 0);
    }
    ShowWindow(host.progress, m.shown ? SW_SHOW : SW_HIDE);
}

void setFrameTitle(Host& host)
{
    if (!host.frame)
        return;
    Document* doc = host.docs.current();
    std::string title = doc ? "acadhost - [" + doc->name() + "]" : "acadhost";
    SetWindowTextA(host.frame, title.c_str());
}
