// The colour chooser: ChooseColorA, hooked so that the wrapper takes the dialog's messages
// from its initialisation on.
#include "afxdlgs.h"

#include "trace.h"

namespace {
// The custom colours of the session, white until the user mixes some.
COLORREF customColors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                             RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                             RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                             RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
}  // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd* parent) : CDialog(0, parent), m_cc(), parent_(parent)
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = customColors;
    m_cc.Flags = flags | CC_ENABLEHOOK;
    m_cc.lpfnHook = &CColorDialog::HookProc;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = parent_ ? parent_->m_hWnd : AfxGetMainHwnd();
    m_cc.lCustData = reinterpret_cast<LPARAM>(this);
    failure_ = nullptr;
    BOOL chosen = ChooseColorA(&m_cc);
    UnsubclassWindow();  // the window is gone already; this only forgets it
    if (failure_)  // past the system's dialog now: the caller's barrier takes it
        std::rethrow_exception(failure_);
    if (chosen)
        return IDOK;
    return CommDlgExtendedError() == 0 ? IDCANCEL : -1;
}

// Only the initialisation is the hook's: from then on the wrapper has the window. Returning
// false leaves every message to the system's procedure.
UINT_PTR CALLBACK CColorDialog::HookProc(HWND window, UINT message, WPARAM, LPARAM lp)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CColorDialog*>(reinterpret_cast<CHOOSECOLORA*>(lp)->lCustData);
    try {
        if (!dialog->SubclassWindow(window))
            return TRUE;
        return dialog->OnInitDialog();
    } catch (...) {
        // Nothing unwinds through the system. The chooser, its initialisation unfinished, is
        // never shown: it ends at once, and what was thrown goes on from DoModal, once the
        // system's dialog has returned, to the barrier of the call that opened it, which ends
        // the call as any handler's failure ends it.
        traceWindowException(window, message);
        dialog->failure_ = std::current_exception();
        ::EndDialog(window, FALSE);
        return FALSE;
    }
}
