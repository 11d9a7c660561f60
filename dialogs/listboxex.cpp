#include "listboxex.h"

#include "gdi.h"
#include "listboxexcore.h"
#include "winrect.h"

namespace {
// Registered once, when the module is loaded.
const UINT kCtrlMessage = RegisterWindowMessageA("ipc_CtrlMsg");

const DWORD kListStyles = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL | LBS_EXTENDEDSEL |
                          LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED |
                          LBS_NOTIFY;
const DWORD kEditStyles = ES_MULTILINE | ES_WANTRETURN | ES_AUTOHSCROLL | ES_NOHIDESEL;

void invert(HDC dc, const PixelRect& r)
{
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, PATINVERT);
}

// The classic 50% grey of drag feedback: every other pixel.
HBRUSH halftoneBrush()
{
    static HBRUSH brush = [] {
        const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        CGdiBitmap bits(CreateBitmap(8, 8, 1, 1, pattern));
        return CreatePatternBrush(bits);  // the brush keeps a copy of the bits
    }();
    return brush;
}
}  // namespace

UINT ctrlMessage()
{
    return kCtrlMessage;
}

bool CInPlaceEdit::Create(DWORD style, CWnd* parent, UINT id)
{
    HWND window = CreateWindowExA(0, "EDIT", "", style | kEditStyles, 0, 0, 0, 0, parent->m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (!window)
        return false;
    owner = parent->m_hWnd;
    if (SubclassWindow(window))
        return true;
    ::DestroyWindow(window);
    return false;
}

void CInPlaceEdit::ShowAt(const RECT& rect)
{
    if (IsWindowVisible() || IsRectEmpty(&rect))
        return;
    SetWindowPos(m_hWnd, HWND_TOP, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_SHOWWINDOW | SWP_NOREDRAW);
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(2, 0));
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    SetFocus();
}

void CInPlaceEdit::HideEditor()
{
    if (!IsWindowVisible())
        return;
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
    // Closed because another window takes the focus: that window keeps it.
    if (!losingFocus)
        ::SetFocus(owner);
}

LRESULT CInPlaceEdit::Notify(UINT code, WPARAM parameter)
{
    DWORD at = GetMessagePos();
    CtrlMsgInfo info = {m_hWnd, code, parameter, static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    return ::SendMessageA(owner, kCtrlMessage, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wp, LPARAM)
{
    switch (message) {
    case WM_GETDLGCODE:
        // Enter and Esc are the edit's, before the dialog would press OK or Cancel.
        return Default() | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        if (wp == VK_RETURN || wp == VK_ESCAPE) {
            if (Notify(CTRL_KEY, wp))
                HideEditor();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == '\r' || wp == '\n' || wp == 27)
            return 0;  // their key-down already acted
        break;
    case WM_KILLFOCUS:
        if (IsWindowVisible()) {
            losingFocus = true;
            if (Notify(CTRL_FOCUS_LOST, wp))
                HideEditor();
            losingFocus = false;
        }
        break;
    default:
        break;
    }
    return Default();
}

void CListBoxEx::PreSubclassWindow()
{
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | kListStyles);
    SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    CDragListBox::PreSubclassWindow();
    if (!edit.m_hWnd && edit.Create(editStyle | WS_CHILD | WS_BORDER, this, 1))
        edit.SendMessage(WM_SETFONT, SendMessage(WM_GETFONT), TRUE);
}

int CListBoxEx::ItemUnder(LPARAM clientPoint) const
{
    POINT at = {static_cast<short>(LOWORD(clientPoint)), static_cast<short>(HIWORD(clientPoint))};
    ClientToScreen(m_hWnd, &at);
    return ItemFromPt(at, false);
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    if (message == kCtrlMessage)
        return OnCtrlMsg(*reinterpret_cast<const CtrlMsgInfo*>(lp));
    switch (message) {
    case WM_LBUTTONDOWN: {
        int item = ItemUnder(lp);
        if (item >= 0)
            currentItem = item;
        return Default();
    }
    case WM_LBUTTONDBLCLK: {
        LRESULT result = Default();
        int item = ItemUnder(lp);
        if (allowEdit && item >= 0 && OnBeginEdit(item))
            BeginEdit(item);
        return result;
    }
    case WM_KEYDOWN: {
        LRESULT result = Default();
        if (wp == VK_F2 && currentItem != -1 && allowEdit && OnBeginEdit(currentItem))
            BeginEdit(currentItem);
        else if (wp == VK_DELETE && currentItem != -1)
            DeleteItem(currentItem);
        return result;
    }
    case WM_SYSKEYDOWN:
        if (allowDrag && GetCurSel() >= 0) {
            if (wp == VK_UP || wp == VK_LEFT)
                MoveItemUp(GetCurSel());
            else if (wp == VK_DOWN || wp == VK_RIGHT)
                MoveItemDown(GetCurSel());
        }
        return Default();
    default:
        return Default();
    }
}

bool CListBoxEx::OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result)
{
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        *result = TRUE;
        return true;
    }
    if (IsDragNotify(message, lp) && (editItem != -1 || !allowDrag || pressEndedEdit)) {
        pressEndedEdit = false;
        *result = FALSE;
        return true;
    }
    return CDragListBox::OnChildNotify(message, wp, lp, result);
}

void CListBoxEx::DrawInsert(int index)
{
    if (index == m_nLast)
        return;
    DrawMarker(m_nLast);  // drawn again, it is gone
    DrawMarker(index);
    m_nLast = index;
}

void CListBoxEx::DrawMarker(int index)
{
    RECT item;
    if (index < 0 || SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return;
    CClientDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    CSelectObject brushIn(dc, halftoneBrush());
    MarkerPieces marker = insertMarker(fromRect(item));
    invert(dc, marker.bar);
    invert(dc, marker.leftCap);
    invert(dc, marker.rightCap);
}

void CListBoxEx::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || !(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)))
        return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    // The caption's colour, not the highlight's, marks the selection.
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_ACTIVECAPTION : COLOR_WINDOW));
    COLORREF oldColour = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    std::string text = GetText(static_cast<int>(item.itemID));
    RECT inner = r;
    inner.left += 8;
    DrawTextA(dc, text.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
    if (selected)
        DrawFocusRect(dc, &r);
}

void CListBoxEx::BeginEdit(int index)
{
    if (!allowEdit || editItem != -1 || !edit.m_hWnd)
        return;
    if (index == -1)
        index = currentItem;
    if (index < 0)
        return;
    if (index >= GetCount()) {
        index = GetCount();
        SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
    }
    SetCurSel(index);
    currentItem = editItem = index;
    RECT item = {};
    SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    PixelRect r = inPlaceEditRect(fromRect(item));
    editRect = toRect(r);
    edit.SetWindowText(GetText(index).c_str());
    edit.ShowAt(editRect);
}

void CListBoxEx::EndEdit(bool cancelled)
{
    edit.HideEditor();
    std::string text = edit.GetWindowText();
    if (text.empty()) {
        DeleteItem(editItem);
    } else if (!cancelled) {
        SetItemText(editItem, text.c_str());
        SetCurSel(editItem);
    }
    editItem = -1;
    Invalidate();
}

LRESULT CListBoxEx::OnCtrlMsg(const CtrlMsgInfo& info)
{
    if (editItem == -1)
        return 1;
    if (info.code == CTRL_KEY && info.parameter == VK_ESCAPE) {
        OnEndEdit(editItem, true);
        EndEdit(true);
    } else if (info.code == CTRL_KEY || info.code == CTRL_FOCUS_LOST) {
        // A press on the list itself took the focus: that press ends the edit, it drags nothing.
        if (info.code == CTRL_FOCUS_LOST && reinterpret_cast<HWND>(info.parameter) == m_hWnd &&
            GetKeyState(VK_LBUTTON) < 0)
            pressEndedEdit = true;
        EndEdit(!OnEndEdit(editItem, false));
    }
    return 1;
}

int CListBoxEx::MoveItemUp(int index)
{
    if (index > 0 && index < GetCount()) {
        SwapItems(index, index - 1);
        SetCurSel(index - 1);
    }
    return index;
}

int CListBoxEx::MoveItemDown(int index)
{
    if (index >= 0 && index < GetCount() - 1) {
        SwapItems(index, index + 1);
        SetCurSel(index + 1);
    }
    return index;
}

void CListBoxEx::SwapItems(int a, int b)
{
    int count = GetCount();
    if (a == b || a < 0 || b < 0 || a >= count || b >= count)
        return;
    int low = a < b ? a : b, high = a < b ? b : a;
    std::string lowText = GetText(low), highText = GetText(high);
    LRESULT lowData = SendMessage(LB_GETITEMDATA, low), highData = SendMessage(LB_GETITEMDATA, high);
    SetItemText(low, highText.c_str());
    SendMessage(LB_SETITEMDATA, low, highData);
    SetItemText(high, lowText.c_str());
    SendMessage(LB_SETITEMDATA, high, lowData);
}

void CListBoxEx::SetItemText(int index, const char* text)
{
    if (index < 0 || index >= GetCount())
        return;
    LRESULT data = SendMessage(LB_GETITEMDATA, index);
    SendMessage(WM_SETREDRAW, FALSE);
    DeleteItem(index);
    SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text));
    SendMessage(LB_SETITEMDATA, index, data);
    SendMessage(WM_SETREDRAW, TRUE);
}
