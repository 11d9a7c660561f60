// The dialog: a template run modally, its commands, and data exchange with its controls.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "afxstrings.h"
#include "afxwin.h"
#include "trace.h"

namespace {

bool onlySpaces(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

// A whole decimal number from -32768 to 32767, blanks around it allowed.
bool parseShort(const std::string& text, short& value)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    if (!*p)
        return false;
    char* end;
    errno = 0;
    long number = std::strtol(p, &end, 10);
    if (end == p || errno != 0 || !onlySpaces(end) || number < -32768 || number > 32767)
        return false;
    value = static_cast<short>(number);
    return true;
}

// A decimal number (digits, sign, point, exponent), blanks around it allowed.
bool parseDouble(const std::string& text, double& value)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        ++p;
    if (!*p || std::strspn(p, "0123456789+-.eE \t") != std::strlen(p))
        return false;
    char* end;
    double number = std::strtod(p, &end);
    if (end == p || !onlySpaces(end) || !std::isfinite(number))
        return false;
    value = number;
    return true;
}

}  // namespace

INT_PTR CDialog::DoModal()
{
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId_), owner(), &CDialog::StartProc,
                           reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create()
{
    modeless_ = true;
    HWND window = CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(templateId_), owner(),
                                     &CDialog::StartProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr && m_hWnd == window;
}

HWND CDialog::owner() const
{
    return parent_ ? parent_->m_hWnd : AfxGetMainHwnd();
}

// The dialog procedure only starts the wrapper: from WM_INITDIALOG on, the window's messages
// go through WindowProc, whose default is the dialog manager's own.
INT_PTR CALLBACK CDialog::StartProc(HWND window, UINT message, WPARAM, LPARAM lp)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lp);
    if (!dialog->SubclassWindow(window)) {
        ::EndDialog(window, -1);
        return FALSE;
    }
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        // Nothing unwinds through the system. A dialog whose controls were not filled is
        // never shown: it ends as one that could not open.
        traceWindowException(window, message);
        dialog->EndDialog(-1);
        return FALSE;
    }
}

void CDialog::EndDialog(int result)
{
    if (modeless_)
        DestroyWindow();
    else
        ::EndDialog(m_hWnd, result);
}

bool CDialog::UpdateData(bool save)
{
    CDataExchange dx(this, save);
    DoDataExchange(&dx);
    return !dx.m_failed;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(WPARAM wp, LPARAM)
{
    if (HIWORD(wp) != BN_CLICKED)
        return false;
    switch (LOWORD(wp)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:  // also Esc and the close box
        OnCancel();
        return true;
    default:
        return false;
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    HWND child = nullptr;
    switch (message) {
    case WM_COMMAND:
        if (CWnd* control = FromHandlePermanent(reinterpret_cast<HWND>(lp))) {
            LRESULT result = 0;
            if (control != this && control->OnChildNotify(message, wp, lp, &result))
                return result;
        }
        if (OnCommand(wp, lp))
            return 0;
        break;
    case WM_DRAWITEM:
        child = reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem;
        break;
    case WM_MEASUREITEM: {
        int id = static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlID);
        if (id != measuredId_ || !::IsWindow(measured_)) {
            measured_ = GetDlgItem(id);
            measuredId_ = id;
        }
        child = measured_;
        break;
    }
    default:
        // A registered message (RegisterWindowMessage's range) a control sends its parent,
        // such as a drag list's: each control the framework holds is offered it in turn, and
        // the one it concerns answers.
        if (message >= 0xC000 && message <= 0xFFFF) {
            for (HWND w = ::GetWindow(m_hWnd, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
                CWnd* control = FromHandlePermanent(w);
                LRESULT result = 0;
                if (control && control->OnChildNotify(message, wp, lp, &result))
                    return result;
            }
        }
        break;
    }
    if (CWnd* control = FromHandlePermanent(child)) {
        LRESULT result = 0;
        if (control->OnChildNotify(message, wp, lp, &result))
            return result;
    }
    // An owner-drawn list tells of each item it lets go, a million for a list of a million:
    // the dialog manager has nothing to do with them.
    if (message == WM_DELETEITEM)
        return TRUE;
    return Default();
}

HWND CDataExchange::PrepareCtrl(int id)
{
    last_ = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    return last_;
}

void CDataExchange::Fail()
{
    m_failed = true;
    if (!m_bSaveAndValidate || !last_)
        return;
    ::SetFocus(last_);
    ::SendMessageA(last_, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (!dx->m_failed && !control.m_hWnd)
        control.SubclassWindow(dx->PrepareCtrl(id));
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    if (dx->m_failed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = AfxGetWindowText(control);
    else
        SetWindowTextA(control, value.c_str());
}

void DDX_Text(CDataExchange* dx, int id, short& value)
{
    if (dx->m_failed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char text[8];
        std::snprintf(text, sizeof text, "%d", value);
        SetWindowTextA(control, text);
    } else if (!parseShort(AfxGetWindowText(control), value)) {
        AfxMessageBox(AFX_IDS_ENTER_INTEGER, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_Text(CDataExchange* dx, int id, double& value)
{
    if (dx->m_failed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char text[32];
        std::snprintf(text, sizeof text, "%.*g", 15, value);
        SetWindowTextA(control, text);
    } else if (!parseDouble(AfxGetWindowText(control), value)) {
        AfxMessageBox(AFX_IDS_ENTER_NUMBER, MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_LBString(CDataExchange* dx, int id, std::string& value)
{
    if (dx->m_failed)
        return;
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        SendMessageA(control, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str()));
        return;
    }
    LRESULT index = SendMessageA(control, LB_GETCURSEL, 0, 0);
    value = index == LB_ERR ? std::string() : AfxGetItemText(control, LB_GETTEXTLEN, LB_GETTEXT, static_cast<int>(index));
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value)
{
    DDX_Text(dx, id, value);  // a combo box with an edit field: its text is the field's
}
