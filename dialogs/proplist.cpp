// kel_proplist: named values shown as a two-column property sheet in a resizable dialog; the
// user edits the values in place and may drag the divider between the columns.
#include <windows.h>

#include <string>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "gdi.h"
#include "handlers.h"
#include "listboxexcore.h"
#include "listelements.h"
#include "listfill.h"
#include "messages.h"
#include "moduleresources.h"
#include "resource.h"
#include "results.h"
#include "sizingdialog.h"
#include "winrect.h"

namespace {

const int IDC_VALUE_EDIT = 713;
const int kRowHeight = 20;
const int kDragMargin = 10;    // the divider stays this far inside the list

// One property: its name, never edited, and its value, edited as text.
struct PropItem {
    PropItem(const std::string& n, const std::string& v) : name(n), value(v) {}
    virtual ~PropItem() = default;
    std::string name;
    std::string value;
    int kind = 1;  // text edited in place
    std::string choices;
};

// What a dialog holds of its elements. One store is kept from one dialog to the next,
// emptied as each ends: under Wine a block this large is fresh memory at every call, whose
// pages, touched for the first time, cost more than the list's own fill (32,767 properties:
// 15 ms of a 90 ms dialog). A store grown past kKeepAtMost elements is given back.
struct PropStore {
    std::vector<std::string> names, values;
    std::vector<PropItem> items;
};
const size_t kKeepAtMost = 32768;

// The kept store for the dialog that takes it; a dialog opened while it is lent (from LISP
// run while the first is up) has a store of its own.
class StoreUse {
public:
    StoreUse() : kept_(!lent) { lent = true; }
    ~StoreUse()
    {
        if (!kept_)
            return;
        PropStore& kept = keptStore();
        if (kept.items.capacity() > kKeepAtMost || kept.names.capacity() > kKeepAtMost) {
            kept = PropStore();
        } else {
            kept.names.clear();
            kept.values.clear();
            kept.items.clear();
        }
        lent = false;
    }
    StoreUse(const StoreUse&) = delete;
    StoreUse& operator=(const StoreUse&) = delete;
    PropStore& store() { return kept_ ? keptStore() : own_; }

private:
    static PropStore& keptStore()
    {
        static PropStore store;
        return store;
    }
    static inline bool lent = false;
    bool kept_;
    PropStore own_;
};

class CPropListBox : public CListBox {
protected:
    void PreSubclassWindow() override;
    bool OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void OpenEditor();
    PropItem* Item(int row) const;
    void InvertLine(int x) const;
    void OnLButtonDown(int x);
    void OnLButtonUp(int x, LPARAM lp);

    CEdit valueEdit;
    CGdiFont editFont;
    int currentItem = 1;
    int dividerX = 0;  // 0: not placed yet
    bool dragging = false;
    // Between a press on a row and its release: the list tells of the new selection at the
    // press already, but the editor opens on the row of the release.
    bool clicking = false;
    long dragTop = 0, dragBottom = 0;
    int dragX = 0;
    HCURSOR dividerCursor = nullptr, arrowCursor = nullptr;
};

void CPropListBox::PreSubclassWindow()
{
    dividerX = 0;
    dragging = false;
    currentItem = 1;
    dividerCursor = LoadCursor(nullptr, IDC_SIZEWE);
    arrowCursor = LoadCursor(nullptr, IDC_ARROW);
    // 8 points on the screen, as the dialogs' own font.
    int height = -MulDiv(80, GetDeviceCaps(CClientDC(nullptr), LOGPIXELSY), 720);
    editFont.Attach(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif"));
}

PropItem* CPropListBox::Item(int row) const
{
    LRESULT data = SendMessage(LB_GETITEMDATA, row);
    return data == LB_ERR ? nullptr : reinterpret_cast<PropItem*>(data);
}

bool CPropListBox::OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result)
{
    switch (message) {
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = kRowHeight;
        *result = TRUE;
        return true;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        *result = TRUE;
        return true;
    case WM_COMMAND:
        if (HIWORD(wp) != LBN_SELCHANGE)
            return false;
        if (!clicking)
            OpenEditor();
        *result = 0;
        return true;
    default:
        return false;
    }
}

void CPropListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    PixelRect row = fromRect(item.rcItem);
    if (dividerX == 0)
        dividerX = firstDivider(row);
    PropertyRow cells = propertyRow(row, dividerX);
    RECT name = toRect(cells.nameCell), value = toRect(cells.valueCell);
    PropItem* prop = item.itemID == static_cast<UINT>(-1) ? nullptr : reinterpret_cast<PropItem*>(item.itemData);
    if (!prop)
        return;
    HDC dc = item.hDC;
    CGdiBrush grey(CreateSolidBrush(RGB(192, 192, 192)));
    FillRect(dc, &name, grey);
    // The value is drawn on a clean cell: drawn again over itself, its text would thicken.
    FillRect(dc, &value, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &name, EDGE_SUNKEN, BF_RIGHT | BF_BOTTOM);
    DrawEdge(dc, &value, EDGE_SUNKEN, BF_BOTTOM);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    RECT nameText = toRect(cells.nameText), valueText = toRect(cells.valueText);
    DrawTextA(dc, prop->name.c_str(), -1, &nameText, DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    DrawTextA(dc, prop->value.c_str(), -1, &valueText, DT_SINGLELINE | DT_TOP | DT_NOPREFIX);
    SetBkMode(dc, oldMode);
}

void CPropListBox::OpenEditor()
{
    RECT row;
    if (SendMessage(LB_GETITEMRECT, currentItem, reinterpret_cast<LPARAM>(&row)) == LB_ERR)
        return;
    PropItem* prop = Item(currentItem);
    if (!prop)
        return;
    RECT r = toRect(valueEditorRect(fromRect(row), dividerX));
    if (valueEdit.m_hWnd) {
        MoveWindow(valueEdit.m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    } else {
        HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r.left, r.top,
                                    r.right - r.left, r.bottom - r.top, m_hWnd,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_VALUE_EDIT)), nullptr, nullptr);
        if (!edit)
            return;
        valueEdit.Attach(edit);
        valueEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(editFont)), TRUE);
    }
    ShowWindow(valueEdit.m_hWnd, SW_SHOW);
    valueEdit.SetFocus();
    valueEdit.SetWindowText(prop->value.c_str());
    valueEdit.SetSel(0, -1);  // what the user types replaces the value
}

void CPropListBox::InvertLine(int x) const
{
    CClientDC dc(m_hWnd);
    int oldMode = SetROP2(dc, R2_NOT);
    MoveToEx(dc, x, dragTop, nullptr);
    LineTo(dc, x, dragBottom);
    SetROP2(dc, oldMode);
}

void CPropListBox::OnLButtonDown(int x)
{
    SetCursor(dividerCursor);
    RECT bounds;
    GetWindowRect(&bounds);
    bounds.left += kDragMargin;
    bounds.right -= kDragMargin;
    ClipCursor(&bounds);
    if (valueEdit.m_hWnd) {
        ShowWindow(valueEdit.m_hWnd, SW_HIDE);
        UpdateWindow(m_hWnd);  // the rows under it are drawn before the line goes over them
    }
    RECT client;
    GetClientRect(&client);
    dragTop = client.top;
    dragBottom = client.bottom;
    dragging = true;
    dragX = x;
    InvertLine(x);
    SetCapture(m_hWnd);
}

void CPropListBox::OnLButtonUp(int x, LPARAM lp)
{
    (void)lp;
    dragging = false;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    ClipCursor(nullptr);
    InvertLine(x);
    dividerX = x;
    Invalidate();
}

LRESULT CPropListBox::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    int x = static_cast<short>(LOWORD(lp));
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wp) == IDC_VALUE_EDIT && HIWORD(wp) == EN_CHANGE) {
            // Every keystroke is kept at once: nothing is lost when the editor closes.
            if (PropItem* prop = Item(currentItem))
                prop->value = valueEdit.GetWindowText();
            return 0;
        }
        if (LOWORD(wp) == IDC_VALUE_EDIT && HIWORD(wp) == EN_KILLFOCUS) {
            ShowWindow(valueEdit.m_hWnd, SW_HIDE);
            Invalidate();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (nearDivider(x, dividerX)) {
            OnLButtonDown(x);
            return 0;
        }
        dragging = false;
        clicking = true;
        break;
    case WM_CAPTURECHANGED:
        clicking = false;
        if (dragging) {
            // The mouse was taken away mid-drag: the cursor goes free, the divider stays.
            dragging = false;
            ClipCursor(nullptr);
            Invalidate();
        }
        break;
    case WM_MOUSEMOVE:
        if (dragging) {
            InvertLine(dragX);
            InvertLine(x);
            dragX = x;
            return 0;
        }
        if (nearDivider(x, dividerX)) {
            SetCursor(dividerCursor);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (dragging) {
            OnLButtonUp(x, lp);
            return 0;
        }
        clicking = false;
        bool outside;
        currentItem = ItemFromPoint(lp, outside);
        break;
    default:
        break;
    }
    return Default();
}

class CPropListDialog : public CSizingDialog, public PickArgs {
public:
    explicit CPropListDialog(PropStore& store)
        : CSizingDialog(IDD_PROPLIST, nullptr), names(store.names), values(store.values), items(store.items)
    {
    }
    std::vector<std::string>& names;  // the elements' two halves, in place of items
    std::vector<std::string>& values;

protected:
    std::vector<PropItem>& items;  // reserved whole before the first row points into it
    CPropListBox list;
    std::string selection;

    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_LIST, list);
        DDX_Text(dx, IDC_PROMPT, prompt);
        DDX_LBString(dx, IDC_LIST, selection);
    }
    BOOL OnInitDialog() override
    {
        fillRows(::GetDlgItem(m_hWnd, IDC_LIST));
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, true);
        AddAnchor(IDC_PROMPT, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDC_LIST, ANCHOR_STRETCH, ANCHOR_STRETCH, false);
        AddAnchor(IDOK, ANCHOR_MOVE, ANCHOR_FIXED, false);
        AddAnchor(IDCANCEL, ANCHOR_MOVE, ANCHOR_FIXED, false);
        SetWindowText(title);
        return TRUE;
    }
    // One row an element, each holding its item, added before the list is subclassed, as
    // the edit list fills its own: two messages an element kept off the wrapper.
    void fillRows(HWND rows)
    {
        // Rows of one height, set here: the list asked for it while the dialog was being made,
        // before the dialog could answer.
        ::SendMessageA(rows, LB_SETITEMHEIGHT, 0, kRowHeight);
        items.reserve(names.size());
        CListFill fill(rows, names.size(), names.size());
        for (size_t i = 0; i < names.size(); ++i) {
            items.emplace_back(names[i], values[i]);
            LRESULT row = ::SendMessageA(rows, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(""));
            ::SendMessageA(rows, LB_SETITEMDATA, row, reinterpret_cast<LPARAM>(&items.back()));
        }
    }
    void OnOK() override
    {
        // The items stay until the dialog goes: the list may still paint its rows.
        for (size_t i = 0; i < items.size(); ++i)
            values[i] = items[i].value;
        CSizingDialog::OnOK();
    }
};

// One element: ("name" "value") or the dotted pair ("name" . "value").
bool readElement(Args& in, CPropListDialog& dialog)
{
    char name[256], value[256];
    if (!in.listBegin() || !in.string(name))
        return false;
    bool dotted = in.pass(RTDOTE);
    if (!in.string(value))
        return false;
    if (!in.pass(RTLE) && (dotted || !in.pass(RTDOTE)))
        return report(MSG_LIST_END_EXPECTED);
    dialog.names.push_back(name);
    dialog.values.push_back(value);
    return true;
}

}  // namespace

int kelProplist(struct resbuf* args)
{
    StoreUse use;
    CPropListDialog dialog(use.store());
    ModuleResources resources;
    Args in(args);
    if (!readHead(in, dialog))
        return stopped();
    while (!in.pass(RTLE))
        if (!readElement(in, dialog))
            return stopped();
    if (!in.end())
        return stopped();
    if (dialog.DoModal() != IDOK)
        return giveNil();
    PairList pairs;
    if (!pairs.ok())
        return fail(MSG_NO_RESULT_BUFFER);
    for (size_t i = 0; i < dialog.names.size(); ++i)
        if (!pairs.add(dialog.names[i].c_str(), dialog.values[i].c_str()))
            return fail(MSG_NO_RESULT_BUFFER);
    return pairs.give();
}
