// kel_msgbox: the system's message box with a button set and an icon, optionally closing
// itself after a number of seconds.
#include <windows.h>

#include <cstring>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "handle.h"
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

// One box that closes itself: a worker watches the clock while the calling thread sits in
// the box, and closes the box found by its caption when the time is up.
class CTimedMessageBox {
public:
    CTimedMessageBox(const char* title, const char* text, UINT style, HWND owner, DWORD timeoutMs)
        : title(title), text(text), style(style), owner(owner), timeoutMs(timeoutMs)
    {
    }
    virtual ~CTimedMessageBox() = default;
    // The box's answer; 0 when it timed out, -1 when the worker could not start.
    int Show();

private:
    static DWORD WINAPI Watch(void* parameter);

    const char* title;
    const char* text;
    UINT style;
    HWND owner;
    DWORD timeoutMs;
    volatile LONG timedOut = 0;
    volatile LONG result = 0;
    // The caption shown is this copy, the same string the worker looks for: a longer title
    // is cut to fit it.
    char caption[80] = {};
};

int CTimedMessageBox::Show()
{
    if (timeoutMs == 0)
        return MessageBoxA(owner, text, title, style);
    CHandle worker(CreateThread(nullptr, 0, &CTimedMessageBox::Watch, this, 0, nullptr));
    if (!worker.IsOpen())
        return -1;
    std::strncpy(caption, title, sizeof caption - 1);
    int answer = MessageBoxA(owner, text, caption, style);
    result = answer ? answer : -1;  // non-zero ends the worker, even when the box failed
    WaitForSingleObject(worker, INFINITE);
    return timedOut ? 0 : answer;
}

DWORD WINAPI CTimedMessageBox::Watch(void* parameter)
{
    auto* box = static_cast<CTimedMessageBox*>(parameter);
    DWORD start = GetTickCount(), lastCheck = start;
    while (box->result == 0) {
        DWORD now = GetTickCount();
        if (now - lastCheck >= 1000) {
            if (now - start >= box->timeoutMs) {
                box->timedOut = 1;
                if (HWND shown = FindWindowA(nullptr, box->caption))
                    PostMessageA(shown, WM_CLOSE, 0, 0);
                return 0;
            }
            lastCheck = now;
        }
        Sleep(5);
    }
    return 0;
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
