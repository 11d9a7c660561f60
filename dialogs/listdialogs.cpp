// kel_listbox, kel_multilist, kel_checklist, kel_combolist: a pick from a list of strings in
// a resizable dialog.
#include <windows.h>

#include <string>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "handlers.h"
#include "listdialogscore.h"
#include "listelements.h"
#include "listfill.h"
#include "messages.h"
#include "moduleresources.h"
#include "resource.h"
#include "results.h"
#include "sizingdialog.h"

namespace {

// The combo box of the combo list: while the user types, the list highlights the item that
// best holds the typed text, and the text stays as typed.
class CMatchComboBox : public CComboBox {
protected:
    virtual void MatchItem();
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override
    {
        if (message == WM_COMMAND && HIWORD(wp) == EN_CHANGE) {
            MatchItem();
            return 0;  // consumed: the dialog hears of no edit change
        }
        return CComboBox::WindowProc(message, wp, lp);
    }

private:
    CEdit edit;
};

void CMatchComboBox::MatchItem()
{
    if (!edit.m_hWnd)
        edit.Attach(GetDlgItem(1001));
    std::string typed = edit.GetWindowText();
    int start, end;
    edit.GetSel(start, end);
    std::vector<std::string> items;
    for (int i = 0, n = GetCount(); i < n; ++i)
        items.push_back(GetLBText(i));
    int best = bestMatch(items, typed);
    if (best < 0 || best == GetCurSel())
        return;
    ShowDropDown();
    SetCurSel(best);
    edit.SetWindowText(typed.c_str());
    edit.SetSel(start, end);
    edit.SendMessage(EM_SCROLLCARET);
}

// What the four dialogs share: title, prompt, items, and the anchors of the list and buttons.
class CPickDialog : public CSizingDialog, public PickArgs {
public:
    explicit CPickDialog(UINT templateId) : CSizingDialog(templateId, nullptr) {}
    std::string selection;

protected:
    BOOL OnInitDialog() override
    {
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, true);
        AddAnchor(IDC_PROMPT, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(listId(), ANCHOR_STRETCH, ANCHOR_STRETCH, false);
        AddAnchor(IDOK, ANCHOR_MOVE, ANCHOR_FIXED, false);
        AddAnchor(IDCANCEL, ANCHOR_MOVE, ANCHOR_FIXED, false);
        if (GetDlgItem(IDC_SELECTALL)) {
            AddAnchor(IDC_SELECTALL, ANCHOR_MOVE, ANCHOR_FIXED, false);
            AddAnchor(IDC_CLEARALL, ANCHOR_MOVE, ANCHOR_FIXED, false);
        }
        SetWindowText(title);
        return TRUE;
    }
    virtual int listId() const { return IDC_LIST; }
};

// A list box dialog: single, multiple or check list.
template <typename List>
class CListDialog : public CPickDialog {
public:
    using CPickDialog::CPickDialog;

protected:
    List list;
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_LIST, list);
        DDX_LBString(dx, IDC_LIST, selection);
        DDX_Text(dx, IDC_PROMPT, prompt);
    }
    BOOL OnInitDialog() override
    {
        CPickDialog::OnInitDialog();
        fillList(list.m_hWnd, items);
        return TRUE;
    }
};

class CListPickDialog : public CListDialog<CListBox> {
public:
    CListPickDialog() : CListDialog(IDD_GETLIST) {}

protected:
    BOOL OnInitDialog() override
    {
        CListDialog::OnInitDialog();
        if (!items.empty())
            list.SetCurSel(0);
        return TRUE;
    }
    bool OnCommand(WPARAM wp, LPARAM lp) override
    {
        if (LOWORD(wp) == IDC_LIST && HIWORD(wp) == LBN_DBLCLK) {
            OnOK();
            return true;
        }
        return CListDialog::OnCommand(wp, lp);
    }
};

class CMultiPickDialog : public CListDialog<CListBox> {
public:
    CMultiPickDialog() : CListDialog(IDD_GETLISTM) {}
    std::vector<int> selectedIndices;

protected:
    bool OnCommand(WPARAM wp, LPARAM lp) override
    {
        if (HIWORD(wp) == BN_CLICKED && (LOWORD(wp) == IDC_SELECTALL || LOWORD(wp) == IDC_CLEARALL)) {
            list.SetSel(-1, LOWORD(wp) == IDC_SELECTALL);
            return true;
        }
        return CListDialog::OnCommand(wp, lp);
    }
    void OnOK() override
    {
        selectedIndices.clear();
        for (int i = 0, n = list.GetCount(); i < n; ++i)
            if (list.GetSel(i))
                selectedIndices.push_back(i);
        CListDialog::OnOK();
    }
};

class CCheckPickDialog : public CListDialog<CCheckListBox> {
public:
    CCheckPickDialog() : CListDialog(IDD_GETCHECKLIST) {}

protected:
    BOOL OnInitDialog() override
    {
        CPickDialog::OnInitDialog();
        {
            CListFill fill(list.m_hWnd, items);
            for (size_t i = 0; i < items.size(); ++i) {
                int index = list.AddString(items[i].c_str());
                list.SetCheck(index, checks[i]);
            }
        }
        if (!items.empty())
            list.SetCurSel(0);
        return TRUE;
    }
    bool OnCommand(WPARAM wp, LPARAM lp) override
    {
        if (HIWORD(wp) == BN_CLICKED && (LOWORD(wp) == IDC_SELECTALL || LOWORD(wp) == IDC_CLEARALL)) {
            for (int i = 0, n = list.GetCount(); i < n; ++i)
                list.SetCheck(i, LOWORD(wp) == IDC_SELECTALL ? 1 : 0);
            return true;
        }
        return CListDialog::OnCommand(wp, lp);
    }
    void OnOK() override
    {
        for (size_t i = 0; i < checks.size(); ++i)
            checks[i] = list.GetCheck(static_cast<int>(i)) == 1 ? 1 : 0;
        CListDialog::OnOK();
    }
};

class CComboPickDialog : public CPickDialog {
public:
    CComboPickDialog() : CPickDialog(IDD_GETCOMBO) {}

protected:
    CMatchComboBox combo;
    int listId() const override { return IDC_COMBO; }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_COMBO, combo);
        DDX_CBString(dx, IDC_COMBO, selection);
        DDX_Text(dx, IDC_PROMPT, prompt);
    }
    BOOL OnInitDialog() override
    {
        CPickDialog::OnInitDialog();
        for (const std::string& item : items)
            combo.AddString(item.c_str());
        return TRUE;
    }
};

// A picker's call, the same for each: its arguments read into the dialog by read, then the
// dialog; what give makes of it on OK, nil when it ends any other way.
template <class Dialog, class Read, class Give>
int runPicker(struct resbuf* args, Read read, Give give)
{
    Dialog dialog;
    ModuleResources resources;
    Args in(args);
    if (!read(in, dialog))
        return stopped();
    if (dialog.DoModal() != IDOK)
        return giveNil();
    return give(dialog);
}

// Title, prompt and a list of strings, which ends the arguments.
bool readStringList(Args& in, PickArgs& pick)
{
    return readHead(in, pick) && readStrings(in, pick) && in.end();
}

// Title, prompt and a list of (string integer) elements, which ends the arguments.
bool readCheckList(Args& in, PickArgs& pick)
{
    return readHead(in, pick) && readChecks(in, pick) && in.end();
}

// As readStringList, then an optional initial text for the combo box.
bool readComboList(Args& in, CComboPickDialog& dialog)
{
    if (!readHead(in, dialog) || !readStrings(in, dialog))
        return false;
    if (!in.more())
        return true;
    char initial[256];
    if (!in.string(initial) || !in.end())
        return false;
    dialog.selection = initial;
    return true;
}

int giveSelection(const CPickDialog& dialog)
{
    return giveString(dialog.selection.c_str());
}

int givePicked(const CMultiPickDialog& dialog)
{
    StringList picked;
    for (int index : dialog.selectedIndices)
        if (!picked.add(dialog.items[static_cast<size_t>(index)].c_str()))
            return fail(MSG_NO_RESULT_BUFFER);
    return picked.give();
}

int giveChecks(const CCheckPickDialog& dialog)
{
    PairList pairs;
    if (!pairs.ok())
        return fail(MSG_NO_RESULT_BUFFER);
    for (size_t i = 0; i < dialog.items.size(); ++i)
        if (!pairs.add(dialog.items[i].c_str(), dialog.checks[i]))
            return fail(MSG_NO_RESULT_BUFFER);
    return pairs.give();
}

}  // namespace

int kelListbox(struct resbuf* args)
{
    return runPicker<CListPickDialog>(args, readStringList, giveSelection);
}

int kelMultilist(struct resbuf* args)
{
    return runPicker<CMultiPickDialog>(args, readStringList, givePicked);
}

int kelChecklist(struct resbuf* args)
{
    return runPicker<CCheckPickDialog>(args, readCheckList, giveChecks);
}

int kelCombolist(struct resbuf* args)
{
    return runPicker<CComboPickDialog>(args, readComboList, giveSelection);
}
