#include "labelledprogress.h"

#include <cstring>

#include "bufferedpaint.h"
#include "gdi.h"
#include "labelledprogresscore.h"
#include "winrect.h"

namespace {

COLORREF resolved(COLORREF colour, int systemColour)
{
    return colour == CLR_DEFAULT ? GetSysColor(systemColour) : colour;
}

void drawClipped(HDC dc, const RECT& clip, RECT whole, const std::string& text, COLORREF colour)
{
    int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &whole, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    RestoreDC(dc, saved);
}

}  // namespace

void CLabelledProgressCtrl::SetShowText(bool show)
{
    if (m_hWnd && show != showLabel)
        Invalidate();
    showLabel = show;
}

void CLabelledProgressCtrl::SetRange(int lowerEnd, int upperEnd)
{
    lower = lowerEnd;
    upper = upperEnd;
}

int CLabelledProgressCtrl::SetPos(int position)
{
    if (!m_hWnd)
        return -1;
    int previous = pos;
    pos = position;
    if (clientWidth < 0) {
        RECT client;
        GetClientRect(&client);
        clientWidth = client.right - client.left;
    }
    long width = filledWidth(pos, lower, upper, clientWidth);
    if (width != lastWidth) {
        lastWidth = width;
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return previous;
}

int CLabelledProgressCtrl::OffsetPos(int delta)
{
    return SetPos(offsetPosition(pos, delta));
}

LRESULT CLabelledProgressCtrl::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;  // the paint covers every pixel
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SIZE: {
        LRESULT result = Default();
        lastWidth = -1;
        clientWidth = LOWORD(lp);
        return result;
    }
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<const char*>(lp));
    case WM_GETTEXT:
        return OnGetText(static_cast<size_t>(wp), reinterpret_cast<char*>(lp));
    default:
        return Default();
    }
}

LRESULT CLabelledProgressCtrl::OnSetText(const char* text)
{
    LRESULT result = Default();
    bool differs = text ? label != text : !label.empty();
    if (differs) {
        label = text ? text : "";
        Invalidate();
    }
    return result;
}

LRESULT CLabelledProgressCtrl::OnGetText(size_t count, char* buffer) const
{
    if (!buffer || count == 0)
        return 0;
    // The terminator always fits: a label longer than the buffer is cut.
    size_t n = label.size() < count - 1 ? label.size() : count - 1;
    std::memcpy(buffer, label.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

void CLabelledProgressCtrl::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (dc && lower < upper) {
        RECT client;
        GetClientRect(&client);
        if (GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER) {
            Paint(dc, client);
        } else {
            // Drawn off the screen over the clip box, then copied in one go.
            RECT box;
            GetClipBox(dc, &box);
            CBufferedPaint buffer(dc, box);
            Paint(buffer.dc(), client);
        }
    }
}

void CLabelledProgressCtrl::Paint(HDC dc, const RECT& client)
{
    COLORREF bar = resolved(barColour, COLOR_HIGHLIGHT), back = resolved(backColour, COLOR_WINDOW);
    bool vertical = (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & PBS_VERTICAL) != 0;
    BarParts parts = splitBar(fromRect(client), pos, lower, upper, vertical);
    RECT barPart = toRect(parts.bar), restPart = toRect(parts.rest);

    ::SetBkColor(dc, bar);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &barPart, nullptr, 0, nullptr);
    ::SetBkColor(dc, back);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &restPart, nullptr, 0, nullptr);

    if (!showLabel || vertical)
        return;
    std::string text = barLabel(label, pos, lower, upper);
    // The dialog's font, as its other controls have.
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(GetParent(m_hWnd), WM_GETFONT, 0, 0));
    CSelectObject fontIn(dc, font);
    SetBkMode(dc, TRANSPARENT);
    drawClipped(dc, barPart, client, text, back);
    drawClipped(dc, restPart, client, text, bar);
}
