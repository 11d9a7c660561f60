// The window wrapper: subclassing, dispatch to WindowProc, and the framework's defaults.
#include "afxwin.h"

#include <new>
#include <unordered_map>
#include <vector>

#include "acdocman.h"
#include "adswin.h"
#include "trace.h"

namespace {
// The wrapper of each window it subclasses, found on every message that window gets: kept
// in the module's memory, as a handle map, since a window property costs a call to the
// window server each time under Wine (a list of 8,000 items took 2.6 s to fill, not 9 ms).
// The module's windows all live on the host's thread.
std::unordered_map<HWND, CWnd*>& wrappers()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}
}  // namespace

HINSTANCE AfxGetResourceHandle()
{
    return static_cast<HINSTANCE>(acDocManagerPtr()->curResourceHandle());
}

HWND AfxGetMainHwnd()
{
    return adsw_acadMainWnd();
}

int AfxMessageBox(const char* text, UINT style)
{
    char program[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    program[length < sizeof program ? length : 0] = '\0';
    const char* name = program;
    for (const char* p = program; *p; ++p)
        if (*p == '\\' || *p == '/')
            name = p + 1;
    std::string caption(name);
    size_t dot = caption.rfind('.');
    if (dot != std::string::npos)
        caption.erase(dot);
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner ? owner : AfxGetMainHwnd(), text, caption.c_str(), style);
}

int AfxMessageBox(UINT textId, UINT style)
{
    char text[256] = "";
    LoadStringA(AfxGetResourceHandle(), textId, text, sizeof text);
    return AfxMessageBox(text, style);
}

CWnd::~CWnd()
{
    UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    if (!window)
        return nullptr;
    auto found = wrappers().find(window);
    return found == wrappers().end() ? nullptr : found->second;
}

bool CWnd::SubclassWindow(HWND window)
{
    if (!window || m_hWnd || FromHandlePermanent(window))
        return false;
    try {
        wrappers().emplace(window, this);
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_hWnd = window;
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    PreSubclassWindow();
    return true;
}

void CWnd::UnsubclassWindow()
{
    auto found = m_hWnd ? wrappers().find(m_hWnd) : wrappers().end();
    if (found != wrappers().end() && found->second == this) {
        if (previous_)
            SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        wrappers().erase(found);
    }
    previous_ = nullptr;
    m_hWnd = nullptr;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);  // WM_NCDESTROY detaches the wrapper
}

std::string AfxGetWindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(window, &text[0], length + 1);
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    CWnd* wrapper = FromHandlePermanent(window);
    if (!wrapper)
        return DefWindowProcA(window, message, wp, lp);
    Current saved = wrapper->current_;  // messages nest: a handler may send more
    wrapper->current_ = {message, wp, lp};
    WNDPROC previous = wrapper->previous_;
    LRESULT result;
    try {
        result = wrapper->WindowProc(message, wp, lp);
    } catch (...) {
        // Nothing unwinds through the system. The message goes to the window's own procedure,
        // as one the wrapper leaves alone: the window still paints, sizes and is destroyed.
        traceWindowException(window, message);
        result = CallWindowProcA(previous, window, message, wp, lp);
    }
    if (FromHandlePermanent(window) == wrapper) {
        wrapper->current_ = saved;
        if (message == WM_NCDESTROY)  // the window is gone: the wrapper lets go of it
            wrapper->UnsubclassWindow();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    (void)message, (void)wp, (void)lp;
    return Default();
}

LRESULT CWnd::Default()
{
    return CallWindowProcA(previous_, m_hWnd, current_.message, current_.wp, current_.lp);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

bool CBitmap::LoadOEMBitmap(UINT id)
{
    Attach(LoadBitmapA(nullptr, MAKEINTRESOURCEA(id)));
    return IsOpen();
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

std::string AfxGetItemText(HWND control, UINT lengthMessage, UINT textMessage, int index)
{
    LRESULT length = ::SendMessageA(control, lengthMessage, index, 0);
    if (length < 0)  // LB_ERR and CB_ERR: no such item
        return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(control, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

std::string CListBox::GetText(int index) const
{
    return AfxGetItemText(m_hWnd, LB_GETTEXTLEN, LB_GETTEXT, index);
}

std::string CComboBox::GetLBText(int index) const
{
    return AfxGetItemText(m_hWnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}
