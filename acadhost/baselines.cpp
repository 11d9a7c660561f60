// The acadhost- functions benchmarks time the module against: the same work done the plain
// way, in the same run.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "filefind.h"
#include "host.h"
#include "palette.h"

namespace {

using lisp::Args;
using lisp::Value;

LARGE_INTEGER now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

// Every entry of PATTERN in FOLDER, and with DEEP then every subdirectory's, as kel_find
// walks: the listing benchmarks' baseline.
long findLoop(const std::string& dir, const std::string& pattern, bool deep)
{
    long found = 0;
    WIN32_FIND_DATAA e;
    CFindFile h;
    if (h.FindFirst((dir + "\\" + pattern).c_str(), e)) {
        do
            found += !(e.dwFileAttributes & 0x16);
        while (h.FindNext(e));
    }
    if (!deep || !h.FindFirst((dir + "\\*.*").c_str(), e))
        return found;
    do
        if ((e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && std::strcmp(e.cFileName, ".") &&
            std::strcmp(e.cFileName, ".."))
            found += findLoop(dir + "\\" + e.cFileName, pattern, deep);
    while (h.FindNext(e));
    return found;
}

// For benchmarks of dialogs: each dialog is cancelled as soon as it is shown, so a call
// that opens one returns when it is made, filled and closed.
HHOOK dialogCloser;

LRESULT CALLBACK cancelOnActivate(int code, WPARAM wp, LPARAM lp)
{
    char name[16];
    if (code == HCBT_ACTIVATE && GetClassNameA(reinterpret_cast<HWND>(wp), name, sizeof name) &&
        std::strcmp(name, "#32770") == 0)
        PostMessageA(reinterpret_cast<HWND>(wp), WM_COMMAND, IDCANCEL, 0);
    return CallNextHookEx(dialogCloser, code, wp, lp);
}

// The system's own list box filled in a dialog of the list dialogs' size: room made first,
// drawn once at the end. Owner-drawn rows are 16 pixels high.
const int kFillList = 100;

INT_PTR CALLBACK fillListDialog(HWND dialog, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_MEASUREITEM) {
        reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->itemHeight = 16;
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        const auto& texts = *reinterpret_cast<const std::vector<std::string>*>(lp);
        HWND list = GetDlgItem(dialog, kFillList);
        size_t bytes = 0;
        for (const std::string& text : texts)
            bytes += text.size() + 1;
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_INITSTORAGE, texts.size(), bytes);
        for (const std::string& text : texts)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

// A dialog template of one list box of the given kind (0, LBS_OWNERDRAWFIXED or
// LBS_OWNERDRAWVARIABLE), in memory: 165 x 145 units, the list 145 x 110.
std::vector<WORD> fillListTemplate(DWORD kind)
{
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE);
    dword(0);
    t.insert(t.end(), {1, 0, 0, 165, 145, 0, 0, 0});  // one control; no menu, class or title
    if (t.size() % 2)
        t.push_back(0);  // each control starts on a DWORD
    dword(WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS | WS_VSCROLL | WS_BORDER |
          WS_TABSTOP | kind);
    dword(0);
    t.insert(t.end(), {10, 25, 145, 110, kFillList, 0xFFFF, 0x0083, 0, 0});  // a list box, no text or data
    return t;
}

// The host's colour operation as a module reaches it: through the entry the host exports.
using GetRgb = unsigned long (*)(int);

GetRgb exportedGetRgb()
{
    static const GetRgb fn = reinterpret_cast<GetRgb>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(nullptr), "acedGetRGB")));
    return fn ? fn : [](int index) -> unsigned long { return paletteColor(index); };
}

// The control ID of the top-level window TITLE; throws when there is none.
HWND controlOf(const std::string& title, int32_t id)
{
    HWND control = GetDlgItem(FindWindowA(nullptr, title.c_str()), id);
    if (!control)
        throw lisp::Error("no control " + std::to_string(id) + " in a window \"" + title + "\"");
    return control;
}

// Microseconds for STEPS position changes of the system's progress control, each moving its
// bar by one pixel and painted at once (PBM_SETPOS, then UpdateWindow). The control stands in
// model's place for the time, in the same window, with model's style and size; model is
// hidden meanwhile.
double systemProgressSteps(HWND model, int32_t steps)
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    HWND parent = GetParent(model);
    RECT place, client;
    GetWindowRect(model, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    GetClientRect(model, &client);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(model, GWL_STYLE)) & (WS_BORDER | PBS_SMOOTH | PBS_VERTICAL);
    DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(model, GWL_EXSTYLE)) &
                    (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE);
    ShowWindow(model, SW_HIDE);
    HWND bar = CreateWindowExA(exStyle, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                               place.right - place.left, place.bottom - place.top, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    RECT made = {};
    if (bar)
        GetClientRect(bar, &made);
    int range = made.right - made.left;
    double time = -1;
    if (bar && range == client.right - client.left && range > 0) {
        SendMessageA(bar, PBM_SETRANGE32, 0, range);
        SendMessageA(bar, PBM_SETPOS, 0, 0);
        UpdateWindow(parent);
        UpdateWindow(bar);
        LARGE_INTEGER start = now();
        for (int32_t k = 1; k <= steps; ++k) {
            SendMessageA(bar, PBM_SETPOS, k % (range + 1), 0);
            UpdateWindow(bar);
        }
        time = microseconds(start, now());
    }
    if (bar)
        DestroyWindow(bar);
    ShowWindow(model, SW_SHOW);
    if (time < 0)
        throw lisp::Error("the system's progress control could not be made like the model");
    return time;
}

const HostFunction kBaselines[] = {
    {"ACADHOST-CLOCK",  // for benchmarks that time whole loops
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 0, 0);
         static const LARGE_INTEGER origin = now();
         return lisp::makeReal(microseconds(origin, now()));
     }},
    {"ACADHOST-STDSORT",  // a plain sort of the same values: strings by bytes, or numbers
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         std::vector<std::string> strings;
         std::vector<double> numbers;
         for (Value p = a[0]; p && p->type == lisp::Type::Cons; p = p->cdr) {
             if (p->car && p->car->type == lisp::Type::Str)
                 strings.push_back(p->car->s);
             else if (lisp::isNumber(p->car))
                 numbers.push_back(lisp::toDouble(p->car));
         }
         LARGE_INTEGER start = now();
         std::sort(strings.begin(), strings.end());
         std::sort(numbers.begin(), numbers.end());
         return lisp::makeReal(microseconds(start, now()));
     }},
    {"ACADHOST-AUTOCLOSE",  // (acadhost-autoclose T): dialogs cancelled when shown; nil: not
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         if (lisp::isNil(a[0]) && dialogCloser) {
             UnhookWindowsHookEx(dialogCloser);
             dialogCloser = nullptr;
         } else if (!lisp::isNil(a[0]) && !dialogCloser) {
             dialogCloser = SetWindowsHookExA(WH_CBT, cancelOnActivate, nullptr, GetCurrentThreadId());
         }
         return a[0];
     }},
    // (acadhost-listfill LIST [KIND]): microseconds to open the system's list box in a
    // dialog, filled with the strings of LIST, and close it (with acadhost-autoclose on).
    // KIND: nil, FIXED or VARIABLE, for a list box drawn by its owner in rows of one height or
    // of heights it is asked for.
    {"ACADHOST-LISTFILL",
     [](Host& host, Args& a) -> Value {
         lisp::needCount(a, 1, 2);
         DWORD kind = 0;
         if (a.size() == 2 && !lisp::isNil(a[1])) {
             const std::string name = lisp::toUpper(lisp::princ(a[1]));
             kind = name == "FIXED" ? LBS_OWNERDRAWFIXED : name == "VARIABLE" ? LBS_OWNERDRAWVARIABLE : 0;
         }
         std::vector<std::string> texts;
         for (Value p = a[0]; p && p->type == lisp::Type::Cons; p = p->cdr)
             texts.push_back(lisp::stringArg(p->car));
         std::vector<WORD> dialog = fillListTemplate(kind);
         LARGE_INTEGER start = now();
         DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<DLGTEMPLATE*>(dialog.data()), host.frame,
                                 fillListDialog, reinterpret_cast<LPARAM>(&texts));
         return lisp::makeReal(microseconds(start, now()));
     }},
    {"ACADHOST-COPYFILE",  // (acadhost-copyfile "FROM" "TO"): nil when the copy fails
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 2, 2);
         const std::string &from = lisp::stringArg(a[0]), &to = lisp::stringArg(a[1]);
         LARGE_INTEGER start = now();
         BOOL ok = CopyFileA(from.c_str(), to.c_str(), FALSE);
         LARGE_INTEGER end = now();
         return ok ? lisp::makeReal(microseconds(start, end)) : nullptr;
     }},
    {"ACADHOST-FINDLOOP",  // (acadhost-findloop "FOLDER" "PATTERN" [DEEP]): nil when none found
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 2, 3);
         const std::string &folder = lisp::stringArg(a[0]), &pattern = lisp::stringArg(a[1]);
         bool deep = a.size() > 2 && !lisp::isNil(a[2]);
         LARGE_INTEGER start = now();
         long found = findLoop(folder, pattern, deep);
         LARGE_INTEGER end = now();
         return found ? lisp::makeReal(microseconds(start, end)) : nullptr;
     }},
    // (acadhost-nearest (R G B)): the nearest-colour search of kel_rgbtoaci, here in the
    // host, asking for each of the 254 colours through the host's exported colour operation
    // as the module does: the module's search without the module.
    {"ACADHOST-NEAREST",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 1, 1);
         int rgb[3] = {};
         Value p = a[0];
         for (int& c : rgb) {
             if (!p || p->type != lisp::Type::Cons)
                 throw lisp::Error("acadhost-nearest: a list of three numbers expected");
             c = static_cast<int>(lisp::toDouble(p->car));
             p = p->cdr;
         }
         GetRgb getRgb = exportedGetRgb();
         int best = 0x7FFFFFFF, index = 0;
         for (int i = 1; i <= 254; ++i) {
             unsigned long c = getRgb(i);
             int d = std::abs(int(c & 0xFF) - rgb[0]) + std::abs(int((c >> 8) & 0xFF) - rgb[1]) +
                     std::abs(int((c >> 16) & 0xFF) - rgb[2]);
             if (d < best)
                 best = d, index = i;
         }
         return lisp::makeInt(index);
     }},
    // (acadhost-clientsize "TITLE" ID): (WIDTH HEIGHT) of the inside of control ID of the
    // window TITLE.
    {"ACADHOST-CLIENTSIZE",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 2, 2);
         RECT r;
         GetClientRect(controlOf(lisp::stringArg(a[0]), lisp::intArg(a[1])), &r);
         return lisp::listFrom({lisp::makeInt(r.right - r.left), lisp::makeInt(r.bottom - r.top)});
     }},
    // (acadhost-progresssteps "TITLE" ID STEPS): microseconds for STEPS one-pixel steps of the
    // system's progress control made like control ID of the window TITLE and put in its
    // place, each painted at once.
    {"ACADHOST-PROGRESSSTEPS",
     [](Host&, Args& a) -> Value {
         lisp::needCount(a, 3, 3);
         HWND model = controlOf(lisp::stringArg(a[0]), lisp::intArg(a[1]));
         return lisp::makeReal(systemProgressSteps(model, lisp::intArg(a[2], 1, 1000000)));
     }},
};

}  // namespace

void defineHostBaselines(Host& host)
{
    defineHostFunctions(host, kBaselines, sizeof kBaselines / sizeof kBaselines[0]);
}
