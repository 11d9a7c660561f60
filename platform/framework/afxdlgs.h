// The system's common dialogs, as the framework wraps them.
#pragma once

#include "afxwin.h"

#include <commdlg.h>

#include <exception>

// The system's colour chooser. Owned by its parent, or by the host's main window without
// one; the custom colours the user mixes are kept for the next chooser of the session.
class CColorDialog : public CDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    // IDOK with the chosen colour in m_cc.rgbResult, IDCANCEL, or -1 when it could not open.
    // What its initialisation throws is thrown again from here, the chooser closed unseen.
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    // The chooser's description: set its colour and flags before DoModal.
    CHOOSECOLORA m_cc;

protected:
    // The system's own dialog procedure does the work; commands are not taken here.
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override { return CWnd::WindowProc(message, wp, lp); }

private:
    static UINT_PTR CALLBACK HookProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    CWnd* parent_;
    std::exception_ptr failure_;
};
