// kel_editlist: a list of strings edited in a resizable dialog, in place, with four tool
// buttons above it (New, Delete, Move Up, Move Down).
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "bufferedpaint.h"
#include "editlistcore.h"
#include "gdi.h"
#include "handlers.h"
#include "listboxex.h"
#include "listelements.h"
#include "listfill.h"
#include "messages.h"
#include "moduleresources.h"
#include "resource.h"
#include "results.h"
#include "sizingdialog.h"
#include "tooltipctrl.h"
#include "winrect.h"

namespace {

// The tool buttons' tooltips, in the string table from IDS_TOOL_NEW on, in the buttons' order.
static_assert(IDS_TOOL_MOVEDOWN - IDS_TOOL_NEW + 1 == kToolButtons, "a tooltip for each tool button");

// The strip's picture, its light grey shown in the current button-face colour.
HBITMAP loadToolStrip()
{
    std::vector<unsigned char> file = toolStripBitmapFile();
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info;
    std::memcpy(&info, &file[kToolStripPaletteOffset - sizeof info.header], sizeof info);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    RGBQUAD& grey = info.colours[kToolStripGrey];
    grey.rgbRed = GetRValue(face);
    grey.rgbGreen = GetGValue(face);
    grey.rgbBlue = GetBValue(face);
    CClientDC screen(nullptr);
    return CreateDIBitmap(screen, &info.header, CBM_INIT, &file[kToolStripPixelOffset],
                          reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

// The prompt above the list, with the tool buttons at its right end. It paints the owner-drawn
// button of the template entirely itself.
class CEditListHeader : public CWnd {
public:
    bool AttachHeader(HWND button, CListBoxEx* target);

protected:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    void OnSize(long width, long height);
    void OnPaint();
    void OnMouseMove(LPARAM lp);
    void OnLButtonDown(LPARAM lp);
    void OnLButtonUp(LPARAM lp);
    bool OnNotify(NMHDR* header);
    int ButtonAt(LPARAM lp) const;
    void InvalidateButton(int i);
    void RunButton(int i);

    CListBoxEx* list = nullptr;
    CGdiBitmap strip;
    int hotButton = kNoToolButton;
    bool pressed = false;
    RECT buttonRects[kToolButtons] = {};
    CToolTipCtrl tooltip;
};

bool CEditListHeader::AttachHeader(HWND button, CListBoxEx* target)
{
    list = target;
    strip.Attach(loadToolStrip());
    if (!SubclassWindow(button))
        return false;
    RECT client;
    GetClientRect(&client);
    if (tooltip.Create(this)) {
        for (UINT id = 1; id <= kToolButtons; ++id)
            tooltip.AddTool(this, id, client);
        tooltip.Activate(true);
    }
    OnSize(client.right, client.bottom);
    return true;
}

void CEditListHeader::OnSize(long width, long height)
{
    for (int i = 0; i < kToolButtons; ++i) {
        buttonRects[i] = toRect(toolButtonRect(i, width, height));
        if (tooltip.m_hWnd)
            tooltip.SetToolRect(this, static_cast<UINT>(i + 1), buttonRects[i]);
    }
}

int CEditListHeader::ButtonAt(LPARAM lp) const
{
    POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    for (int i = 0; i < kToolButtons; ++i)
        if (PtInRect(&buttonRects[i], at))
            return i;
    return kNoToolButton;
}

void CEditListHeader::InvalidateButton(int i)
{
    if (i < kToolButtons)
        InvalidateRect(m_hWnd, &buttonRects[i], TRUE);
}

LRESULT CEditListHeader::WindowProc(UINT message, WPARAM, LPARAM lp)
{
    switch (message) {
    case WM_SIZE: {
        LRESULT result = Default();
        OnSize(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        return result;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETSTATE:
    case WM_ENABLE: {
        // The button would draw its own face: ours is painted again instead.
        LRESULT result = Default();
        Invalidate();
        return result;
    }
    case WM_MOUSEMOVE:
        OnMouseMove(lp);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(lp);
        break;
    case WM_LBUTTONUP:
        OnLButtonUp(lp);
        break;
    case WM_DESTROY:
        tooltip.DestroyWindow();
        tooltip.Attach(nullptr);
        break;
    case WM_NOTIFYFORMAT:
        return NFR_ANSI;
    case WM_NOTIFY:
        if (OnNotify(reinterpret_cast<NMHDR*>(lp)))
            return 0;
        break;
    default:
        break;
    }
    return Default();
}

void CEditListHeader::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client;
    GetClientRect(&client);
    long width = client.right, height = client.bottom;
    RECT margin = {0, 0, 2, height};
    FillRect(dc, &margin, GetSysColorBrush(COLOR_BTNFACE));
    // Composed 2 pixels left of where it shows: the buttons land on their rectangles.
    CBufferedPaint buffer(dc, client, {2, 0});
    HDC memory = buffer.dc();
    CSelectObject fontIn(memory, GetStockObject(DEFAULT_GUI_FONT));
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, GetSysColor(COLOR_WINDOWTEXT));
    std::string prompt = GetWindowText();
    DrawTextA(memory, prompt.c_str(), -1, &client, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    long top = toolStripTop(height);
    if (strip.IsOpen()) {
        CMemoryDC picture(dc);
        CSelectObject stripIn(picture, strip);
        BitBlt(memory, width - kToolStripWidth - 2, top, kToolStripWidth, kToolStripHeight, picture, 0, 0, SRCCOPY);
    }
    if (hotButton != kNoToolButton) {
        RECT frame = toRect(toolFrameRect(hotButton, width, height));
        DrawEdge(memory, &frame, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
}

void CEditListHeader::OnMouseMove(LPARAM lp)
{
    if (pressed)
        return;
    int button = ButtonAt(lp);
    if (button == hotButton)
        return;
    InvalidateButton(hotButton);
    hotButton = button;
    InvalidateButton(hotButton);
    UpdateWindow(m_hWnd);
}

void CEditListHeader::OnLButtonDown(LPARAM lp)
{
    SetCapture(m_hWnd);
    hotButton = ButtonAt(lp);
    if (hotButton != kNoToolButton) {
        pressed = true;
        InvalidateButton(hotButton);
        UpdateWindow(m_hWnd);
    }
}

void CEditListHeader::OnLButtonUp(LPARAM lp)
{
    int button = ButtonAt(lp);
    if (button == hotButton && button != kNoToolButton)
        RunButton(button);
    pressed = false;
    Invalidate();
    hotButton = button;
    ReleaseCapture();
}

void CEditListHeader::RunButton(int i)
{
    if (!list)
        return;
    int selected = list->GetCurSel();
    switch (i) {
    case 0:
        list->AddNewItem();
        break;
    case 1:
        if (selected >= 0)
            list->DeleteItem(selected);
        break;
    case 2:
        if (selected >= 0)
            list->MoveItemUp(selected);
        break;
    default:
        if (selected >= 0)
            list->MoveItemDown(selected);
        break;
    }
}

bool CEditListHeader::OnNotify(NMHDR* header)
{
    UINT_PTR id = header->idFrom;
    if (id < 1 || id > kToolButtons)
        return false;
    UINT textId = IDS_TOOL_NEW + static_cast<UINT>(id - 1);
    if (header->code == TTN_NEEDTEXTA) {
        auto* text = reinterpret_cast<NMTTDISPINFOA*>(header);
        text->szText[0] = '\0';
        LoadStringA(moduleInstance, textId, text->szText, sizeof text->szText);
        return true;
    }
    if (header->code == TTN_NEEDTEXTW) {
        auto* text = reinterpret_cast<NMTTDISPINFOW*>(header);
        char ansi[80] = "";
        LoadStringA(moduleInstance, textId, ansi, sizeof ansi);
        MultiByteToWideChar(CP_ACP, 0, ansi, -1, text->szText, 80);
        return true;
    }
    return false;
}

class CEditListDialog : public CSizingDialog, public PickArgs {
public:
    CEditListDialog() : CSizingDialog(IDD_EDITLIST, nullptr) {}

protected:
    CEditListHeader header;
    CListBoxEx list;
    std::string selection;

    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_LIST, list);
        DDX_LBString(dx, IDC_LIST, selection);
    }
    BOOL OnInitDialog() override
    {
        fillList(::GetDlgItem(m_hWnd, IDC_LIST), items);  // before it becomes a drag list
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, true);
        AddAnchor(IDC_HEADER, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDC_LIST, ANCHOR_STRETCH, ANCHOR_STRETCH, false);
        AddAnchor(IDOK, ANCHOR_MOVE, ANCHOR_FIXED, false);
        AddAnchor(IDCANCEL, ANCHOR_MOVE, ANCHOR_FIXED, false);
        SetWindowText(title);
        SetDlgItemTextA(m_hWnd, IDC_HEADER, prompt.c_str());
        header.AttachHeader(GetDlgItem(IDC_HEADER), &list);
        list.SetCurSel(0);
        return TRUE;
    }
    void OnOK() override
    {
        // An open edit was committed when OK took its focus.
        items.clear();
        for (int i = 0, n = list.GetCount(); i < n; ++i)
            items.push_back(list.GetText(i));
        CSizingDialog::OnOK();
    }
};

}  // namespace

int kelEditlist(struct resbuf* args)
{
    CEditListDialog dialog;
    ModuleResources resources;
    Args in(args);
    if (!readHead(in, dialog) || !readStrings(in, dialog) || !in.end())
        return stopped();
    if (dialog.DoModal() != IDOK)
        return giveNil();
    StringList result;
    for (const std::string& text : dialog.items)
        if (!result.add(text.c_str()))
            return fail(MSG_NO_RESULT_BUFFER);
    return result.give();
}
