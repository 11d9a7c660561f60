// A thin window framework over Win32: a window wrapper that can subclass a window and
// dispatch its messages to virtual functions, a dialog run from a template, data exchange
// between a dialog's controls and its members, and one small class per control.
#pragma once

#define OEMRESOURCE  // OBM_SIZE, the size grip
#include <windows.h>

#include <string>

#include "gdi.h"

// The instance dialog templates load from now (the host's current resource handle), and the
// window that owns dialogs built without a parent (the host's main window).
HINSTANCE AfxGetResourceHandle();
HWND AfxGetMainHwnd();
// The framework's message box: owned by the active window, captioned with the program's name.
int AfxMessageBox(const char* text, UINT style = MB_OK);
// The same with a text of the string table the dialog templates load from (afxstrings.h).
int AfxMessageBox(UINT textId, UINT style = MB_OK);
std::string AfxGetWindowText(HWND window);
// The text of a list or combo box item, asked with the control's length and text messages;
// "" when there is no such item.
std::string AfxGetItemText(HWND control, UINT lengthMessage, UINT textMessage, int index);

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Holds a window without taking its messages.
    void Attach(HWND window) { m_hWnd = window; }
    // Routes the window's messages through WindowProc until it is destroyed.
    bool SubclassWindow(HWND window);
    bool SubclassDlgItem(int id, CWnd* parent) { return SubclassWindow(::GetDlgItem(parent->m_hWnd, id)); }
    void UnsubclassWindow();
    // The wrapper that subclassed a window, or null.
    static CWnd* FromHandlePermanent(HWND window);

    LRESULT SendMessage(UINT message, WPARAM wp = 0, LPARAM lp = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wp, lp);
    }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    std::string GetWindowText() const { return AfxGetWindowText(m_hWnd); }
    void GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
    void GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
    void ScreenToClient(RECT* r) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2); }
    void SetFocus() const { ::SetFocus(m_hWnd); }
    void Invalidate() const { ::InvalidateRect(m_hWnd, nullptr, TRUE); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    void DestroyWindow();

protected:
    // Runs once the wrapper holds the window (what it sends passes through WindowProc).
    virtual void PreSubclassWindow() {}
    // Every message of a subclassed window; Default() hands it to the window's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp);
    LRESULT Default();
    // A message its parent received about this control (drawing, measuring, commands):
    // true when handled, with the parent's answer in result.
    virtual bool OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result);
    friend class CDialog;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    WNDPROC previous_ = nullptr;
    struct Current {
        UINT message;
        WPARAM wp;
        LPARAM lp;
    } current_ = {};
};

class CDialog;

// One data exchange: loading the controls from the members, or saving them back with checks.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}
    CDialog* m_pDlgWnd;
    bool m_bSaveAndValidate;
    bool m_failed = false;
    HWND PrepareCtrl(int id);
    // Refuses the exchange: the control that failed takes the focus, its text selected.
    void Fail();

private:
    HWND last_ = nullptr;
};

void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, std::string& value);
// Whole numbers from -32768 to 32767; anything else asks for an integer and fails.
void DDX_Text(CDataExchange* dx, int id, short& value);
// Shown with up to 15 significant digits; anything but a number asks for one and fails.
void DDX_Text(CDataExchange* dx, int id, double& value);
// A list box's selected item; "" when none.
void DDX_LBString(CDataExchange* dx, int id, std::string& value);
// A combo box's edit text.
void DDX_CBString(CDataExchange* dx, int id, std::string& value);

class CDialog : public CWnd {
public:
    // A null parent makes the host's main window the owner.
    CDialog(UINT templateId, CWnd* parent = nullptr) : templateId_(templateId), parent_(parent) {}
    // Runs the dialog from its template to its end: IDOK, IDCANCEL, or -1 when it could not open.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless, owned by its parent: false when it could not be made.
    // It lives until EndDialog or DestroyWindow.
    bool Create();
    bool UpdateData(bool save = true);
    void EndDialog(int result);

protected:
    virtual BOOL OnInitDialog();  // loads the controls from the members
    virtual void OnOK();          // saves and checks them, and ends with IDOK when all is well
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}
    // A command from a control or a menu; true when handled.
    virtual bool OnCommand(WPARAM wp, LPARAM lp);
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    static INT_PTR CALLBACK StartProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    HWND owner() const;
    UINT templateId_;
    CWnd* parent_;
    bool modeless_ = false;
    // The control last measured: a variable-height list asks once an item, and finding a
    // control by its id costs a call to the window server each time under Wine.
    int measuredId_ = -1;
    HWND measured_ = nullptr;
};

class CStatic : public CWnd {
public:
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

// A bitmap, deleted when it goes, that can be one of the system's own.
class CBitmap : public CGdiBitmap {
public:
    bool LoadOEMBitmap(UINT id);
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, start, end); }
    void GetSel(int& start, int& end) const;
};

class CButton : public CWnd {};

class CListBox : public CWnd {
public:
    int AddString(const char* text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    void SetCurSel(int index) { SendMessage(LB_SETCURSEL, index); }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    bool GetSel(int index) const { return SendMessage(LB_GETSEL, index) > 0; }
    // Selects (or deselects) one item of a multiple-selection list; -1: every item.
    void SetSel(int index, bool select) { SendMessage(LB_SETSEL, select, index); }
    std::string GetText(int index) const;
    // The item under a point of the client area (lp as the mouse messages carry it), and
    // whether the point lies below the last item. The system answers with 16 bits of the
    // index; the rest comes from the top item, since the point lies in the visible page.
    int ItemFromPoint(LPARAM lp, bool& outside) const
    {
        LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, lp);
        outside = HIWORD(hit) != 0;
        int top = static_cast<int>(SendMessage(LB_GETTOPINDEX));
        return top + ((LOWORD(hit) - top) & 0xFFFF);
    }
};

// An owner-drawn list box whose items carry two-state check boxes: a click on the box, or
// the space bar on the selected item, toggles it.
class CCheckListBox : public CListBox {
public:
    static const UINT CLBN_CHKCHANGE = 40;
    void SetCheck(int index, int check);
    int GetCheck(int index) const;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;
    bool OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    int ItemHeight() const;
    void Toggle(int index);
    void DrawItem(const DRAWITEMSTRUCT& item);
};

class CComboBox : public CWnd {
public:
    int AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    void SetCurSel(int index) { SendMessage(CB_SETCURSEL, index); }
    void ShowDropDown(bool show = true) { SendMessage(CB_SHOWDROPDOWN, show); }
    std::string GetLBText(int index) const;
};
