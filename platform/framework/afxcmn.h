// Wrappers of the common controls the dialogs use beyond the standard ones.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, lower, upper); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    int OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, delta)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, step)); }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    void SetBarColor(COLORREF colour) { SendMessage(PBM_SETBARCOLOR, 0, colour); }
    void SetBkColor(COLORREF colour) { SendMessage(PBM_SETBKCOLOR, 0, colour); }
};
