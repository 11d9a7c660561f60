// kel_getprogress and kel_getcancel: modeless windows, children of the host's frame, that a
// long LISP program moves and asks whether the user has cancelled; and kel_progbar, which
// drives the host's own meter in its status bar.
#include <windows.h>

#include <cstring>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "handlers.h"
#include "labelledprogress.h"
#include "messages.h"
#include "moduleresources.h"
#include "progresswindows.h"
#include "resource.h"
#include "results.h"
#include "sizingdialog.h"

namespace {

// A window remembered in a module-wide pointer: the pointer is cleared and the object freed
// when the window is destroyed, however that comes about.
class CModelessDialog : public CSizingDialog {
public:
    CModelessDialog(UINT templateId, CModelessDialog** slot) : CSizingDialog(templateId, &frame), slot(slot)
    {
        frame.Attach(acedGetAcadFrame());
    }
    char title[256] = "";
    char prompt[256] = "";

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        std::string text = prompt;
        DDX_Text(dx, IDC_PROMPT, text);
    }
    void OnOK() override {}  // no OK button: Enter leaves the window open
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;
    // Caption and place, once the derived initialisation has laid the window out.
    void Finish()
    {
        SetWindowText(title);
        centreOnFrame();
    }

private:
    void centreOnFrame();
    CWnd frame;
    CModelessDialog** slot;
};

CModelessDialog* progressWindow = nullptr;
CModelessDialog* cancelWindow = nullptr;

// Closes the window a pointer remembers; the pointer is cleared as the window goes.
void closeWindow(CModelessDialog*& window)
{
    if (window)
        ::DestroyWindow(window->m_hWnd);
}

void CModelessDialog::OnCancel()
{
    CModelessDialog** remembered = slot;  // the ordinary Cancel may already have freed this
    CSizingDialog::OnCancel();
    closeWindow(*remembered);
}

LRESULT CModelessDialog::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    if (message != WM_NCDESTROY)
        return CSizingDialog::WindowProc(message, wp, lp);
    LRESULT result = CSizingDialog::WindowProc(message, wp, lp);
    if (*slot == this)
        *slot = nullptr;
    delete this;  // the wrapper has let go of the window: nothing touches it after this
    return result;
}

void CModelessDialog::centreOnFrame()
{
    RECT parent, own;
    ::GetWindowRect(frame.m_hWnd, &parent);
    GetWindowRect(&own);
    int w = own.right - own.left, h = own.bottom - own.top;
    SetWindowPos(m_hWnd, nullptr, parent.left + (parent.right - parent.left - w) / 2,
                 parent.top + (parent.bottom - parent.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class CCancelDialog : public CModelessDialog {
public:
    CCancelDialog() : CModelessDialog(IDD_CANCEL, &cancelWindow) {}

protected:
    BOOL OnInitDialog() override
    {
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, false);
        AddAnchor(IDC_PROMPT, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDCANCEL, ANCHOR_PROPORTIONAL, ANCHOR_FIXED, false);
        Finish();
        return TRUE;
    }
};

class CProgressDialog : public CModelessDialog {
public:
    CProgressDialog() : CModelessDialog(IDD_PROGRESS, &progressWindow) {}
    int range = 0;
    bool showCancel = false;
    CLabelledProgressCtrl bar;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDCANCEL, cancelButton);
        DDX_Control(dx, IDC_PROGRESS, bar);
        CModelessDialog::DoDataExchange(dx);
    }
    BOOL OnInitDialog() override
    {
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, false);
        AddAnchor(IDC_PROMPT, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDC_PROGRESS, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDCANCEL, ANCHOR_PROPORTIONAL, ANCHOR_FIXED, false);
        bar.SetShowText(true);
        bar.SetRange(0, range);
        bar.SetPos(0);
        if (!showCancel)
            ShowWindow(cancelButton.m_hWnd, SW_HIDE);
        Finish();
        return TRUE;
    }

private:
    CButton cancelButton;
};

CProgressDialog* openProgress()
{
    return static_cast<CProgressDialog*>(progressWindow);
}

// Creates the window and remembers it; a window that cannot be made is forgotten again.
void open(CModelessDialog*& slot, CModelessDialog* dialog)
{
    slot = dialog;
    if (!dialog->Create() && slot == dialog) {
        slot = nullptr;
        if (dialog->m_hWnd)
            ::DestroyWindow(dialog->m_hWnd);  // frees it
        else
            delete dialog;
    }
}

// The open form's fourth argument: absent or nil hides the Cancel button, T shows it.
bool readShowCancel(Args& in, bool& show)
{
    show = in.pass(RTT);
    if (!show && in.more() && !in.pass(RTNIL))
        return report(MSG_INVALID_ARGUMENT);
    return in.end();
}

int openProgressWindow(Args& in)
{
    char title[256], prompt[256];
    int range;
    if (!in.string(title) || !in.string(prompt) || !in.integer(range))
        return stopped();
    if (range <= 0)
        return fail(MSG_RANGE_NOT_POSITIVE);
    bool showCancel;
    if (!readShowCancel(in, showCancel))
        return stopped();
    if (!progressWindow) {
        auto* dialog = new CProgressDialog;
        std::strcpy(dialog->title, title);
        std::strcpy(dialog->prompt, prompt);
        dialog->range = range;
        dialog->showCancel = showCancel;
        open(progressWindow, dialog);
    }
    return giveNil();
}

// Whether kel_progbar has the status bar showing its meter.
bool meterShown = false;

}  // namespace

void closeProgressWindows()
{
    closeWindow(progressWindow);
    closeWindow(cancelWindow);
    if (meterShown)
        acedRestoreStatusBar();
    meterShown = false;
}

int kelGetprogress(struct resbuf* args)
{
    ModuleResources resources;
    Args in(args);
    int n;
    if (!in.more()) {
        return giveBool(progressWindow != nullptr);
    }
    if (in.at(RTT)) {
        closeWindow(progressWindow);
    } else if (in.at(RTSHORT) && in.integer(n)) {
        if (CProgressDialog* window = openProgress()) {
            if (n >= 0)
                window->bar.SetPos(n);
            else
                window->bar.OffsetPos(-n);
        }
    } else {
        return openProgressWindow(in);
    }
    return giveNil();
}

int kelGetcancel(struct resbuf* args)
{
    Args in(args);
    if (!in.more()) {
        return giveBool(cancelWindow != nullptr);
    }
    if (in.at(RTT)) {
        closeWindow(cancelWindow);
        return giveNil();
    }
    char title[256], prompt[256];
    if (!in.string(title) || !in.string(prompt) || !in.end())
        return stopped();
    if (!cancelWindow) {
        ModuleResources resources;
        auto* dialog = new CCancelDialog;
        std::strcpy(dialog->title, title);
        std::strcpy(dialog->prompt, prompt);
        open(cancelWindow, dialog);
    }
    return giveNil();
}

int kelProgbar(struct resbuf* args)
{
    Args in(args);
    int position;
    if (!in.more()) {
        acedRestoreStatusBar();
        meterShown = false;
        return giveNil();
    }
    if (in.at(RTSHORT) && in.integer(position)) {
        return giveBool(acedSetStatusBarProgressMeterPos(position) == 0);
    }
    char label[260];
    int maximum;
    if (!in.string(label) || !in.integer(maximum) || !in.end())
        return stopped();
    bool shown = acedSetStatusBarProgressMeter(label, 0, maximum) == 0;
    meterShown = meterShown || shown;
    return giveBool(shown);
}
