// kel_msgbox: the system's message box with a button set and an icon, optionally closing
// itself after a number of seconds.
#include <windows.h>

#include <cstring>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "handlers.h"
#include "messages.h"
#include "moduleresources.h"
#include "results.h"

namespace {

// By code, in the alphabetical order of their names.
const UINT kButtonSets[] = {MB_ABORTRETRYIGNORE, MB_OK, MB_OKCANCEL, MB_RETRYCANCEL, MB_YESNO, MB_YESNOCANCEL};
const UINT kIcons[] = {MB_ICONASTERISK,   MB_ICONEXCLAMATION, MB_ICONHAND,
                       MB_ICONINFORMATION, MB_ICONQUESTION,    MB_ICONSTOP};

// The answer's code: its place among Abort, Cancel, Ignore, No, OK, Retry, Yes; -1 for none.
int answerCode(int answer)
{
    switch (answer) {
    case IDABORT: return 0;
    case IDCANCEL: return 1;
    case IDIGNORE: return 2;
    case IDNO: return 3;
    case IDOK: return 4;
    case IDRETRY: return 5;
    case IDYES: return 6;
    default: return -1;
    }
}

// One box that closes itself, all on the calling thread: a hook of that thread, set only
// while the box is made, takes the box's own window as it is created; a timer of that window
// ends the box when its time is up. No other window is looked for or touched.
class CTimedMessageBox {
public:
    CTimedMessageBox(const char* title, const char* text, UINT style, HWND owner, DWORD timeoutMs)
        : title(title), text(text), style(style), owner(owner), timeoutMs(timeoutMs)
    {
    }
    // The box's answer; 0 when it timed out, -1 when its hook could not be set.
    int Show();

private:
    static LRESULT CALLBACK CatchBox(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK Tick(HWND window, UINT, UINT_PTR, DWORD);
    // Sets the box's timer to go off when the time is up, or in a second if that is sooner.
    void Arm();

    const char* title;
    const char* text;
    UINT style;
    HWND owner;
    DWORD timeoutMs;
    DWORD start = 0;
    HHOOK hook = nullptr;
    HWND box = nullptr;
    bool timedOut = false;
    // The caption shown: a longer title is cut to fit it.
    char caption[80] = {};
};

const UINT_PTR kTimer = 1;
// The timed box being shown on this thread: the hook and the timer run on it, within Show.
thread_local CTimedMessageBox* showing = nullptr;

int CTimedMessageBox::Show()
{
    if (timeoutMs == 0)
        return MessageBoxA(owner, text, title, style);
    hook = SetWindowsHookExA(WH_CBT, &CTimedMessageBox::CatchBox, nullptr, GetCurrentThreadId());
    if (!hook)
        return -1;
    std::strncpy(caption, title, sizeof caption - 1);
    CTimedMessageBox* outer = showing;
    showing = this;
    start = GetTickCount();
    int answer = MessageBoxA(owner, text, caption, style);
    showing = outer;
    if (hook)
        UnhookWindowsHookEx(hook);
    return timedOut ? 0 : answer;
}

// The first top-level dialog window made on the thread while the box is made is the box.
LRESULT CALLBACK CTimedMessageBox::CatchBox(int code, WPARAM wp, LPARAM lp)
{
    CTimedMessageBox* self = showing;
    HHOOK hook = self ? self->hook : nullptr;
    if (self && code == HCBT_CREATEWND && !(reinterpret_cast<CBT_CREATEWNDA*>(lp)->lpcs->style & WS_CHILD)) {
        HWND window = reinterpret_cast<HWND>(wp);
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (std::strcmp(name, "#32770") == 0) {
            self->box = window;
            self->Arm();
            UnhookWindowsHookEx(self->hook);
            self->hook = nullptr;
        }
    }
    return CallNextHookEx(hook, code, wp, lp);
}

void CTimedMessageBox::Arm()
{
    DWORD elapsed = GetTickCount() - start;
    DWORD left = elapsed < timeoutMs ? timeoutMs - elapsed : 0;
    SetTimer(box, kTimer, left < 1000 ? left : 1000, &CTimedMessageBox::Tick);
}

void CALLBACK CTimedMessageBox::Tick(HWND window, UINT, UINT_PTR, DWORD)
{
    CTimedMessageBox* self = showing;
    if (!self || window != self->box)
        return;
    if (GetTickCount() - self->start < self->timeoutMs) {
        self->Arm();
        return;
    }
    KillTimer(window, kTimer);
    self->timedOut = true;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

}  // namespace

int kelMsgbox(struct resbuf* args)
{
    ModuleResources resources;
    char text[1024], title[MAX_PATH];
    int buttons, icon;
    Args in(args);
    if (!in.string(text) || !in.string(title) || !in.integer(buttons) || !in.integer(icon))
        return stopped();
    int timeout = 0;
    bool timed = in.more();
    if (timed && (!in.integer(timeout) || !in.end()))
        return stopped();
    if (buttons < 0 || buttons > 5 || icon < 0 || icon > 5)
        return fail(MSG_INVALID_ARGUMENT);
    UINT style = kButtonSets[buttons] | kIcons[icon];
    int answer;
    if (!timed) {
        answer = MessageBoxA(adsw_acadMainWnd(), text, title, style | MB_TASKMODAL);
    } else {
        // A negative time-out is a very large number of milliseconds, as the count is unsigned.
        CTimedMessageBox box(title, text, style, adsw_acadMainWnd(), static_cast<DWORD>(timeout) * 1000u);
        answer = box.Show();
    }
    int code = answerCode(answer);
    if (code < 0)
        return giveNil();
    return giveInt(code);
}
