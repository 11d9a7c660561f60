#include "draglistbox.h"

namespace {
// Registered once, when the module is loaded.
const UINT kDragListMessage = RegisterWindowMessageA(DRAGLISTMSGSTRING);
}

int CDragListBox::ItemFromPt(POINT screen, bool autoScroll) const
{
    return LBItemFromPt(m_hWnd, screen, autoScroll);
}

void CDragListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    MakeDragList(m_hWnd);
}

bool CDragListBox::IsDragNotify(UINT message, LPARAM lp) const
{
    return message == kDragListMessage && reinterpret_cast<const DRAGLISTINFO*>(lp)->hWnd == m_hWnd;
}

bool CDragListBox::OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result)
{
    if (!IsDragNotify(message, lp))
        return CListBox::OnChildNotify(message, wp, lp, result);
    const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lp);
    switch (info->uNotification) {
    case DL_BEGINDRAG:
        *result = BeginDrag(info->ptCursor);
        break;
    case DL_DRAGGING:
        *result = Dragging(info->ptCursor);
        break;
    case DL_DROPPED:
        Dropped(GetCurSel(), info->ptCursor);
        *result = 0;
        break;
    case DL_CANCELDRAG:
        CancelDrag(info->ptCursor);
        *result = 0;
        break;
    default:
        *result = 0;
        break;
    }
    return true;
}

BOOL CDragListBox::BeginDrag(POINT screen)
{
    (void)screen;
    m_nLast = -1;
    return TRUE;
}

void CDragListBox::CancelDrag(POINT screen)
{
    (void)screen;
    DrawInsert(-1);
}

UINT CDragListBox::Dragging(POINT screen)
{
    int index = ItemFromPt(screen);
    DrawInsert(index);
    return index >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
}

void CDragListBox::Dropped(int sourceIndex, POINT screen)
{
    DrawInsert(-1);
    int target = ItemFromPt(screen, false);
    if (sourceIndex < 0 || target < 0 || target == sourceIndex || target == sourceIndex + 1)
        return;
    std::string text = GetText(sourceIndex);
    LRESULT data = SendMessage(LB_GETITEMDATA, sourceIndex);
    SendMessage(LB_DELETESTRING, sourceIndex);
    if (target > sourceIndex)
        --target;
    SendMessage(LB_INSERTSTRING, target, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessage(LB_SETITEMDATA, target, data);
    SetCurSel(target);
}

void CDragListBox::DrawInsert(int index)
{
    ::DrawInsert(GetParent(m_hWnd), m_hWnd, index);
    m_nLast = index;
}
