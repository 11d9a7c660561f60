// The resizable base of the module's template dialogs: a size grip in the bottom-right
// corner, controls anchored to the edges, the template size as the smallest size, and
// either direction lockable. Nothing of the user's resizing is kept after the dialog closes.
#pragma once

#include <vector>

#include "afxwin.h"
#include "sizingdialogcore.h"

const int ID_SIZE_GRIP = 0x4545;

class CSizingDialog : public CDialog {
public:
    CSizingDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}
    ~CSizingDialog() override;

protected:
    BOOL OnInitDialog() override;
    void SetResizeDirections(bool allowWidth, bool allowHeight);
    void AddAnchor(unsigned id, int horizontal, int vertical, bool excludeFromErase);
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    void OnSize();
    void OnGetMinMaxInfo(MINMAXINFO* info) const;
    void OnEraseBkgnd(HDC dc) const;

    std::vector<Anchor> anchors;
    RECT lastWindowRect = {};
    long minWidth = 0, minHeight = 0;
    bool allowWidth = true, allowHeight = true;
    CBitmap gripBitmap;
    CStatic gripControl;
    bool initialized = false;
};
