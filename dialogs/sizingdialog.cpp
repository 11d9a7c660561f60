#include "sizingdialog.h"

#include "winrect.h"

CSizingDialog::~CSizingDialog()
{
    gripControl.DestroyWindow();
}

BOOL CSizingDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    GetWindowRect(&lastWindowRect);
    minWidth = lastWindowRect.right - lastWindowRect.left;
    minHeight = lastWindowRect.bottom - lastWindowRect.top;

    gripBitmap.LoadOEMBitmap(OBM_SIZE);
    HWND grip = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 10, 10, m_hWnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_SIZE_GRIP)), nullptr, nullptr);
    if (grip && gripControl.SubclassWindow(grip)) {
        gripControl.SetBitmap(gripBitmap);
        RECT client, r;
        GetClientRect(&client);
        gripControl.GetWindowRect(&r);
        ScreenToClient(&r);
        SetWindowPos(grip, nullptr, client.right - (r.right - r.left), client.bottom - (r.bottom - r.top), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        AddAnchor(ID_SIZE_GRIP, ANCHOR_MOVE, ANCHOR_MOVE, true);
    }
    initialized = true;
    return TRUE;
}

void CSizingDialog::SetResizeDirections(bool width, bool height)
{
    allowWidth = width;
    allowHeight = height;
}

void CSizingDialog::AddAnchor(unsigned id, int horizontal, int vertical, bool excludeFromErase)
{
    RECT r;
    ::GetWindowRect(GetDlgItem(static_cast<int>(id)), &r);
    ScreenToClient(&r);
    anchors.push_back(makeAnchor(id, horizontal, vertical, fromRect(r), excludeFromErase,
                                 lastWindowRect.right - lastWindowRect.left,
                                 lastWindowRect.bottom - lastWindowRect.top));
}

LRESULT CSizingDialog::WindowProc(UINT message, WPARAM wp, LPARAM lp)
{
    switch (message) {
    case WM_SIZE: {
        LRESULT result = Default();
        OnSize();
        return result;
    }
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
        return 0;
    case WM_NCHITTEST: {
        // The grip is what it looks like: a handle that sizes the dialog.
        LRESULT hit = Default();
        POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        RECT grip;
        if (hit == HTCLIENT && gripControl.m_hWnd && gripControl.IsWindowVisible()) {
            gripControl.GetWindowRect(&grip);
            if (PtInRect(&grip, at))
                return HTBOTTOMRIGHT;
        }
        return hit;
    }
    case WM_ERASEBKGND:
        OnEraseBkgnd(reinterpret_cast<HDC>(wp));
        Default();
        return 0;
    default:
        return CDialog::WindowProc(message, wp, lp);
    }
}

void CSizingDialog::OnSize()
{
    if (anchors.empty())
        return;
    RECT now;
    GetWindowRect(&now);
    long width = now.right - now.left, height = now.bottom - now.top;
    long dW = width - (lastWindowRect.right - lastWindowRect.left);
    long dH = height - (lastWindowRect.bottom - lastWindowRect.top);
    HDWP batch = BeginDeferWindowPos(20);
    for (Anchor& anchor : anchors) {
        HWND control = GetDlgItem(static_cast<int>(anchor.id));
        PixelRect moved = movedRect(anchor, dW, dH, width, height);
        if (!control || moved == anchor.rect)
            continue;
        if (batch)
            batch = DeferWindowPos(batch, control, nullptr, moved.left, moved.top, moved.right - moved.left,
                                   moved.bottom - moved.top, SWP_NOZORDER);
        anchor.rect = moved;
    }
    if (batch)
        EndDeferWindowPos(batch);
    // Wine leaves the part of a moved control that lay outside its old place unpainted.
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    lastWindowRect = now;
}

void CSizingDialog::OnGetMinMaxInfo(MINMAXINFO* info) const
{
    SizeLimits limits = {info->ptMinTrackSize.x, info->ptMinTrackSize.y, info->ptMaxTrackSize.x,
                         info->ptMaxTrackSize.y, info->ptMaxSize.x,      info->ptMaxSize.y};
    applySizeLimits(limits, initialized, minWidth, minHeight, allowWidth, allowHeight);
    info->ptMinTrackSize = {limits.minTrackWidth, limits.minTrackHeight};
    info->ptMaxTrackSize = {limits.maxTrackWidth, limits.maxTrackHeight};
    info->ptMaxSize = {limits.maxSizeWidth, limits.maxSizeHeight};
}

void CSizingDialog::OnEraseBkgnd(HDC dc) const
{
    for (const Anchor& anchor : anchors) {
        if (!anchor.excludeFromErase)
            continue;
        if (anchor.id == ID_SIZE_GRIP && !gripControl.IsWindowVisible())
            continue;
        ExcludeClipRect(dc, anchor.rect.left, anchor.rect.top, anchor.rect.right, anchor.rect.bottom);
    }
}
