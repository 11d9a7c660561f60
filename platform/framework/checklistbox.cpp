// The check list box: each item's tick is its item data, drawn as a check box before its text.
#include "afxwin.h"
#include "gdi.h"

namespace {
const int kBox = 13;     // the size of a check box
const int kMargin = 2;   // around the box
}

void CCheckListBox::PreSubclassWindow()
{
    // The template made the list before it was ours: give its items room for a box.
    SendMessage(LB_SETITEMHEIGHT, 0, ItemHeight());
}

int CCheckListBox::ItemHeight() const
{
    CClientDC dc(m_hWnd);
    CSelectObject fontIn(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    int text = static_cast<int>(metrics.tmHeight);
    return (text > kBox ? text : kBox) + kMargin;
}

void CCheckListBox::SetCheck(int index, int check)
{
    SendMessage(LB_SETITEMDATA, index, check);
    RECT item;
    if (SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
        InvalidateRect(m_hWnd, &item, FALSE);
}

int CCheckListBox::GetCheck(int index) const
{
    LRESULT check = SendMessage(LB_GETITEMDATA, index);
    return check == LB_ERR ? 0 : static_cast<int>(check);
}

void CCheckListBox::Toggle(int index)
{
    SetCheck(index, GetCheck(index) == 1 ? 0 : 1);
    HWND parent = GetParent(m_hWnd);
    ::SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hWnd), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        bool outside;
        int index = ItemFromPoint(lp, outside);
        RECT item;
        if (!outside && SendMessage(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR &&
            at.x < item.left + kBox + 2 * kMargin)
            Toggle(index);
        break;
    }
    case WM_KEYDOWN:
        if (wp == VK_SPACE) {
            int index = static_cast<int>(SendMessage(LB_GETCARETINDEX));
            if (index >= 0 && index < GetCount())
                Toggle(index);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wp == ' ')
            return 0;  // the space toggled a tick; it does not search the items
        break;
    default:
        break;
    }
    return Default();
}

bool CCheckListBox::OnChildNotify(UINT message, WPARAM, LPARAM lp, LRESULT* result)
{
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = static_cast<UINT>(ItemHeight());
        *result = TRUE;
        return true;
    }
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        *result = TRUE;
        return true;
    }
    return false;
}

void CCheckListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    RECT whole = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {  // an empty list that has the focus
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(dc, &whole);
        return;
    }
    FillRect(dc, &whole, GetSysColorBrush(COLOR_WINDOW));
    int height = whole.bottom - whole.top;
    RECT box = {whole.left + kMargin, whole.top + (height - kBox) / 2, 0, 0};
    box.right = box.left + kBox;
    box.bottom = box.top + kBox;
    int check = GetCheck(static_cast<int>(item.itemID));
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT | (check == 1 ? DFCS_CHECKED : 0);
    DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text = whole;
    text.left = box.right + kMargin;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    std::string label = GetText(static_cast<int>(item.itemID));
    RECT inner = text;
    inner.left += kMargin;
    DrawTextA(dc, label.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &text);
}
