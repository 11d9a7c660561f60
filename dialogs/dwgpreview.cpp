// kel_dwgpreview: the drawings of a folder in a resizable dialog, the selected one's preview
// beside the list (the host draws it), and the chosen drawing's full path.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "filefind.h"
#include "gdi.h"
#include "handlers.h"
#include "messages.h"
#include "moduleresources.h"
#include "paths.h"
#include "resource.h"
#include "results.h"
#include "sizingdialog.h"
#include "trace.h"

namespace {

// The preview: a button-face box inside its etched frame, into which the host draws the
// drawing's picture.
class CDrawingPreviewCtrl : public CStatic {
public:
    std::string path;
    COLORREF backColour = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override
    {
        if (message != WM_PAINT)
            return CStatic::WindowProc(message, wp, lp);
        try {
            OnPaint();
        } catch (...) {
            traceWindowException(m_hWnd, message);
            ValidateRect(m_hWnd, nullptr);  // nothing may unwind into the system
        }
        return 0;
    }

private:
    void OnPaint()
    {
        RECT window, client;
        GetWindowRect(&window);
        GetClientRect(&client);
        // Half of what the frame takes on each side is left to it.
        int bx = ((window.right - window.left) - (client.right - client.left)) / 2;
        int by = ((window.bottom - window.top) - (client.bottom - client.top)) / 2;
        RECT inside = {client.left + bx, client.top + by, client.right - bx, client.bottom - by};
        if (CClientDC dc(m_hWnd); dc.IsOpen())
            FillRect(dc, &inside, GetSysColorBrush(COLOR_BTNFACE));
        Default();  // the frame
        unsigned long colour = backColour;
        acdbDisplayPreviewFromDwg(path.c_str(), m_hWnd, &colour);  // nothing to show leaves it plain
    }
};

class CDrawingPreviewDialog : public CSizingDialog {
public:
    CDrawingPreviewDialog() : CSizingDialog(IDD_DWGPREVIEW, nullptr) {}
    std::vector<std::string> files;
    std::string title;
    COLORREF backColour = 0;
    std::string folder;     // without a trailing backslash, unless a root
    std::string prefix;     // with one: what the chosen name is appended to
    std::string selection;

protected:
    CListBox fileList;
    CDrawingPreviewCtrl preview;

    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_LIST, fileList);
        DDX_Control(dx, IDC_PREVIEW, preview);
        DDX_Text(dx, IDC_PROMPT, folder);
        DDX_LBString(dx, IDC_LIST, selection);
    }
    BOOL OnInitDialog() override
    {
        CSizingDialog::OnInitDialog();
        SetResizeDirections(true, true);
        AddAnchor(IDC_PROMPT, ANCHOR_STRETCH, ANCHOR_FIXED, false);
        AddAnchor(IDC_PREVIEW, ANCHOR_STRETCH, ANCHOR_STRETCH, false);
        AddAnchor(IDC_LIST, ANCHOR_MOVE, ANCHOR_STRETCH, false);
        AddAnchor(IDOK, ANCHOR_MOVE, ANCHOR_FIXED, false);
        AddAnchor(IDCANCEL, ANCHOR_MOVE, ANCHOR_FIXED, false);
        AddAnchor(IDC_BROWSE, ANCHOR_MOVE, ANCHOR_FIXED, false);
        SetWindowText(title.c_str());
        for (const std::string& name : files)
            fileList.AddString(name.c_str());
        fileList.SetCurSel(0);
        UpdatePreview();
        return TRUE;
    }
    bool OnCommand(WPARAM wp, LPARAM lp) override
    {
        if (LOWORD(wp) == IDC_LIST && HIWORD(wp) == LBN_SELCHANGE) {
            UpdatePreview();
            return true;
        }
        return CSizingDialog::OnCommand(wp, lp);
    }

private:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override
    {
        switch (message) {
        case WM_PAINT: {
            // The controls draw everything there is; the dialog only validates.
            CPaintDC paint(m_hWnd);
            return 0;
        }
        default:
            return CSizingDialog::WindowProc(message, wp, lp);
        }
    }

    // An empty list selects nothing: the preview is then of no file, and stays plain. So
    // does a name that opens a device ("con.dwg", where a file system allows one): a read of
    // it could wait for ever.
    void UpdatePreview()
    {
        int index = fileList.GetCurSel();
        std::string name = index < 0 ? std::string() : fileList.GetText(index);
        preview.path = name.empty() || namesDevice(name.c_str()) ? std::string() : prefix + name;
        preview.backColour = backColour;
        preview.Invalidate();
    }
};

const DWORD kLeftOut = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// The folder argument made a full path in full (512 bytes), without a trailing backslash.
bool readFolder(Args& in, char (&full)[512])
{
    char folder[512];
    bool present;
    if (!in.stringOrNil(folder, present, MSG_INVALID_ARGUMENT))
        return false;
    if (present) {
        if (!_fullpath(full, folder, sizeof full))
            return report(MSG_INVALID_STRING_LENGTH);  // no full form within the buffer
    } else {
        DWORD n = GetCurrentDirectoryA(sizeof full, full);
        if (n == 0 || n >= sizeof full)
            return stopWithNil();
    }
    stripTrailingBackslash(full);
    return true;
}

// The names the search finds, in its order, less hidden, system and directory entries;
// false, with the message, when it stops on an error. found is false for no match at all.
bool findDrawings(const std::string& prefix, std::vector<std::string>& files, bool& found)
{
    WIN32_FIND_DATAA entry;
    CFindFile search;
    found = search.FindFirst((prefix + "*.DWG").c_str(), entry);
    if (!found)
        return true;
    do {
        if (!(entry.dwFileAttributes & kLeftOut))
            files.push_back(entry.cFileName);
    } while (search.FindNext(entry));
    DWORD error = GetLastError();
    return error == ERROR_NO_MORE_FILES || report(MSG_FINDING_DRAWINGS);
}

}  // namespace

int kelDwgpreview(struct resbuf* args)
{
    ModuleResources resources;
    CDrawingPreviewDialog dialog;
    char title[256], full[512];
    Args in(args);
    if (!in.string(title) || !readFolder(in, full))
        return stopped();
    if (in.more()) {
        if (!in.pass(RTT))
            return fail(MSG_INVALID_ARGUMENT);
        if (!in.end())
            return stopped();
        dialog.backColour = RGB(255, 255, 255);
    }
    dialog.title = title;
    dialog.folder = full;
    if (!addTrailingBackslash(full, sizeof full))
        return fail(MSG_INVALID_STRING_LENGTH);
    dialog.prefix = full;
    bool found;
    if (!findDrawings(dialog.prefix, dialog.files, found))
        return stopped();
    if (!found)
        return giveNil();
    if (dialog.DoModal() != IDOK)
        return giveNil();
    return giveString((dialog.prefix + dialog.selection).c_str());
}
