// The colour chooser: ChooseColorA, hooked so that the wrapper takes the dialog's messages
// from its initialisation on.
#include "afxdlgs.h"

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
    BOOL chosen = ChooseColorA(&m_cc);
    UnsubclassWindow();  // the window is gone already; this only forgets it
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
    try {
        auto* dialog = reinterpret_cast<CColorDialog*>(reinterpret_cast<CHOOSECOLORA*>(lp)->lCustData);
        if (!dialog->SubclassWindow(window))
            return TRUE;
        return dialog->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}
