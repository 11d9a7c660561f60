// A progress bar that paints itself: the bar in one colour over a background in another, and
// a centred label (the percentage unless a text is set) in the opposite colours over each
// part. It repaints only when the filled width changes by a pixel, through an off-screen
// bitmap so that nothing flickers.
#pragma once

#include <string>

#include "afxcmn.h"

class CLabelledProgressCtrl : public CProgressCtrl {
public:
    void SetShowText(bool show);
    void SetRange(int lowerEnd, int upperEnd);
    // Both return the previous position; -1 when the control has no window.
    int SetPos(int position);
    int OffsetPos(int delta);

protected:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    void OnPaint();
    void Paint(HDC dc, const RECT& client);
    LRESULT OnSetText(const char* text);
    LRESULT OnGetText(size_t count, char* buffer) const;

    int pos = 0;
    int step = 1;
    int upper = 100;
    int lower = 0;
    std::string label;
    bool showLabel = true;
    long lastWidth = -1;
    long clientWidth = -1;  // kept from WM_SIZE: asking the window each call costs more than the call
    COLORREF barColour = CLR_DEFAULT;
    COLORREF backColour = CLR_DEFAULT;
};
