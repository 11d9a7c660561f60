// kel_getdir, kel_getfilem: the system's folder browser and its file-open dialog with
// multiple selection, both owned by the host's main window.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <cstddef>
#include <string>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "filepickerscore.h"
#include "handlers.h"
#include "memory.h"
#include "messages.h"
#include "moduleresources.h"
#include "paths.h"
#include "results.h"
#include "trace.h"

namespace {

const size_t kPath = 260;
// The file-open description as Windows 4.0 knew it, without the later members, so that
// every system of both families takes it: 76 bytes in a 32-bit program.
constexpr DWORD kOpenFileNameSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
static_assert(sizeof(void*) != 4 || kOpenFileNameSize == 76, "the Windows 4.0 file-open description");
const DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST |
                         OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_NODEREFERENCELINKS;  // 0x181A0C
// The choice buffer: the folder and every name chosen, each with its zero byte. A megabyte
// holds ten thousand names of a hundred characters; a larger choice is refused aloud.
const DWORD kChoiceSize = 1 << 20;

static_assert(kOpenFlags == 0x181A0C, "the file-open flags");

// Selects the starting folder once the browser is ready.
int CALLBACK browseCallback(HWND window, UINT message, LPARAM, LPARAM folder)
{
    try {
        if (message == BFFM_INITIALIZED)
            SendMessageA(window, BFFM_SETSELECTIONA, TRUE, folder);
    } catch (...) {
        traceException("kel_getdir's browser");
    }
    return 0;
}

// The shell's allocator, released when it goes.
class ShellMalloc {
public:
    ShellMalloc()
    {
        if (FAILED(SHGetMalloc(&malloc_)))
            malloc_ = nullptr;
    }
    ~ShellMalloc()
    {
        if (malloc_)
            malloc_->Release();
    }
    ShellMalloc(const ShellMalloc&) = delete;
    ShellMalloc& operator=(const ShellMalloc&) = delete;
    bool ok() const { return malloc_ != nullptr; }
    void Free(void* block) { malloc_->Free(block); }

private:
    IMalloc* malloc_ = nullptr;
};

}  // namespace

int kelGetdir(struct resbuf* args)
{
    ModuleResources resources;
    char title[kPath], folder[kPath] = "";
    Args in(args);
    if (!in.path(title))
        return stopped();
    if (in.more() && !in.string(folder))
        return stopped();
    if (!in.end())
        return stopped();
    // A device is no folder to start in: nil before the browser opens.
    if (folder[0] && namesDevice(folder))
        return giveNil();
    stripTrailingBackslash(folder);
    ShellMalloc shell;
    if (!shell.ok())
        return giveNothing();
    BROWSEINFOA browse = {};
    browse.hwndOwner = adsw_acadMainWnd();
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = browseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(folder);
    LPITEMIDLIST item = SHBrowseForFolderA(&browse);
    char path[MAX_PATH + 1];  // room for the backslash after the longest path
    bool chosen = item && SHGetPathFromIDListA(item, path) && addTrailingBackslash(path, sizeof path);
    shell.Free(item);
    if (!chosen)
        return giveNil();
    return giveString(path);
}

int kelGetfilem(struct resbuf* args)
{
    ModuleResources resources;
    // The filter keeps a byte beyond the longest argument for the second zero that ends it.
    char title[kPath], folder[kPath], filter[kPath + 1] = {};
    Args in(args);
    if (!in.string(title) || !in.path(folder) || !in.string(filter, kPath) || !in.end())
        return stopped();
    if (namesDevice(folder))
        return giveNil();  // a device is no folder to start in
    for (char* c = filter; *c; ++c)
        if (*c == '|')
            *c = '\0';
    CHeapBlock choice(kChoiceSize);
    if (!choice.data())
        return fail(MSG_NO_RESULT_BUFFER);
    OPENFILENAMEA open = {};
    open.lStructSize = kOpenFileNameSize;
    open.hwndOwner = adsw_acadMainWnd();
    open.lpstrFilter = filter;
    open.nFilterIndex = 1;
    open.lpstrFile = choice.data();
    open.nMaxFile = kChoiceSize;
    open.lpstrInitialDir = folder;
    open.lpstrTitle = title;
    open.Flags = kOpenFlags;
    if (!GetOpenFileNameA(&open)) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            return fail(MSG_TOO_MANY_FILES);
        return giveNil();
    }
    StringList list;
    for (const std::string& text : fileChoice(choice.data(), kChoiceSize))
        if (!list.add(text.c_str()))
            return fail(MSG_NO_RESULT_BUFFER);
    return list.give();
}
