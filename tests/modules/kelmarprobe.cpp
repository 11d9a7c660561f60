// The module's probes, linked only into its test build: a handler that throws, a window
// procedure, a dialog and the colour chooser that throw, and an operator new that fails on
// demand, so that tests can see the barriers hold.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "adslib.h"
#include "afxdlgs.h"
#include "afxwin.h"
#include "args.h"
#include "moduleresources.h"
#include "resource.h"
#include "results.h"

namespace {

// The allocation that fails: 1 for the next, 2 for the one after; 0 for none.
long failingAllocation = 0;

// A subclassed window whose handler throws on the text it is given.
class CThrowingWnd : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wp, LPARAM lp) override
    {
        if (message == WM_SETTEXT)
            throw std::runtime_error("probe");
        return CWnd::WindowProc(message, wp, lp);
    }
};

// A dialog whose initialisation throws.
class CThrowingDialog : public CDialog {
public:
    CThrowingDialog() : CDialog(IDD_GETSTRING) {}

protected:
    BOOL OnInitDialog() override { throw std::runtime_error("probe"); }
};

// A colour chooser whose initialisation throws std::bad_alloc, or std::runtime_error.
class CThrowingColorDialog : public CColorDialog {
public:
    explicit CThrowingColorDialog(bool memory) : memory_(memory) {}

protected:
    BOOL OnInitDialog() override
    {
        if (memory_)
            throw std::bad_alloc();
        throw std::runtime_error("probe");
    }

private:
    bool memory_;
};

}  // namespace

void* operator new(std::size_t size)
{
    if (failingAllocation > 0 && --failingAllocation == 0)
        throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

// (kel__failnew N): the module's N-th allocation from now fails; gives N.
int probeFailNew(struct resbuf* args)
{
    Args in(args);
    int n;
    if (!in.integer(n) || !in.end())
        return stopped();
    failingAllocation = n;
    return giveInt(n);
}

// (kel__throw ["memory"|"error"]): throws std::bad_alloc, std::runtime_error, or else a
// number, which is no exception class at all.
int probeThrow(struct resbuf* args)
{
    if (args && args->restype == RTSTR && std::strcmp(args->resval.rstring, "memory") == 0)
        throw std::bad_alloc();
    if (args && args->restype == RTSTR && std::strcmp(args->resval.rstring, "error") == 0)
        throw std::runtime_error("probe");
    throw 17;
}

// (kel__throwinwindow): a window's handler throws while the window takes a text, and a dialog
// throws in its initialisation; gives the text the window holds after, and what the dialog
// ended with.
int probeThrowInWindow(struct resbuf* args)
{
    if (!Args(args).end())
        return stopped();
    HWND window = CreateWindowExA(0, "STATIC", "before", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
    if (!window)
        return giveNil();
    std::string text;
    {
        CThrowingWnd wrapper;
        wrapper.SubclassWindow(window);
        SetWindowTextA(window, "after");
        text = AfxGetWindowText(window);
    }
    DestroyWindow(window);
    ModuleResources resources;
    CThrowingDialog dialog;
    int ended = static_cast<int>(dialog.DoModal());
    return giveList(acutBuildList(RTSTR, text.c_str(), RTSHORT, ended, 0));
}

// (kel__throwincolor ["memory"]): the colour chooser's initialisation throws; gives what its
// DoModal ended with, if it ends at all.
int probeThrowInColor(struct resbuf* args)
{
    bool memory = args && args->restype == RTSTR && std::strcmp(args->resval.rstring, "memory") == 0;
    ModuleResources resources;
    CThrowingColorDialog dialog(memory);
    acedRetInt(static_cast<int>(dialog.DoModal()));
    return RTNORM;
}
