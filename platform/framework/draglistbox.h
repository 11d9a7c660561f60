// A list box whose items the user drags to a new place, over the system's drag-list support:
// the system tells the list's parent of the drag ("commctrl_DragListMsg"); the dialog offers
// each notification to its controls, and the list it concerns answers through four
// overridable steps.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class CDragListBox : public CListBox {
public:
    // The item under a point in screen coordinates, or -1; autoScroll scrolls the list when
    // the point lies above or below it.
    int ItemFromPt(POINT screen, bool autoScroll = true) const;

protected:
    void PreSubclassWindow() override;
    // Whether a message its parent was offered is one of this list's drag notifications.
    bool IsDragNotify(UINT message, LPARAM lp) const;
    bool OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override;
    virtual BOOL BeginDrag(POINT screen);
    virtual void CancelDrag(POINT screen);
    virtual UINT Dragging(POINT screen);
    virtual void Dropped(int sourceIndex, POINT screen);
    // Shows where a dropped item would land (-1: nowhere).
    virtual void DrawInsert(int index);
    int m_nLast = -1;  // the item the insertion marker stands at
};
