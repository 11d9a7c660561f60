// The system's tooltip control: one window that shows a short text while the mouse rests
// over one of its tools (rectangles of other windows).
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // A tooltip window owned by the given window; false when it could not be made.
    bool Create(CWnd* owner);
    // A tool over rect of window, whose text the window gives when asked (TTN_NEEDTEXT).
    bool AddTool(CWnd* window, UINT id, const RECT& rect);
    void SetToolRect(CWnd* window, UINT id, const RECT& rect);
    void Activate(bool active) { SendMessage(TTM_ACTIVATE, active); }
};
