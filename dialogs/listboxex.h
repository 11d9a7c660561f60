// The list box that edits its items where they stand (double click, F2), deletes them (Del)
// and reorders them (drag, Alt+arrows), and the edit field it lays over the item being
// edited. The edit tells the list of Enter, Esc and its loss of the focus through the
// registered message "ipc_CtrlMsg"; the list answers whether the edit closes.
#pragma once

#include "draglistbox.h"

// The record "ipc_CtrlMsg" carries in its lParam.
struct CtrlMsgInfo {
    HWND sender;
    UINT code;
    WPARAM parameter;  // CTRL_KEY: the key; CTRL_FOCUS_LOST: the window taking the focus
    LONG x, y;         // the cursor, in screen coordinates
};
const UINT CTRL_KEY = 1;
const UINT CTRL_FOCUS_LOST = 3;
UINT ctrlMessage();

class CInPlaceEdit : public CEdit {
public:
    // The hidden edit, a child of parent (which hears of its events).
    bool Create(DWORD style, CWnd* parent, UINT id);
    void ShowAt(const RECT& rect);
    void HideEditor();

protected:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;

private:
    LRESULT Notify(UINT code, WPARAM parameter);
    HWND owner = nullptr;
    bool losingFocus = false;
};

class CListBoxEx : public CDragListBox {
public:
    void BeginEdit(int index);
    void EndEdit(bool cancelled);
    void AddNewItem() { BeginEdit(GetCount()); }
    int MoveItemUp(int index);
    int MoveItemDown(int index);
    void SwapItems(int a, int b);
    void SetItemText(int index, const char* text);
    void DeleteItem(int index) { SendMessage(LB_DELETESTRING, index); }

    DWORD editStyle = 0;
    bool allowEdit = true;
    bool allowDrag = true;

protected:
    void PreSubclassWindow() override;
    bool OnChildNotify(UINT message, WPARAM wp, LPARAM lp, LRESULT* result) override;
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override;
    void DrawInsert(int index) override;
    virtual bool OnBeginEdit(int index)
    {
        (void)index;
        return true;
    }
    virtual bool OnEndEdit(int index, bool cancelled)
    {
        (void)index, (void)cancelled;
        return true;
    }

private:
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawMarker(int index);
    int ItemUnder(LPARAM clientPoint) const;
    LRESULT OnCtrlMsg(const CtrlMsgInfo& info);

    CInPlaceEdit edit;
    RECT editRect = {};
    int currentItem = -1;
    int editItem = -1;
    // The press that closed an edit by taking its focus starts no drag.
    bool pressEndedEdit = false;
};
