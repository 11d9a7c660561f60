// wintool: what a test needs to see of the windows on the Wine desktop, to drive them as a
// person would with xdotool.
//   wintool list                      every visible top-level window and its controls
//   wintool wait TITLE [MS]           waits for a window with that title, then lists it
//   wintool gone TITLE [MS]           waits until no window has that title
//   wintool version FILE              a module's version block and string 100
//   wintool hold FILE MS              holds the file open, shared with nobody, for MS ms
//   wintool echo FILE ARGS...         writes the arguments it was given to FILE
//   wintool items TITLE ID [FROM]     the items of a list or combo box in that window (from
//                                     index FROM on), one a line: INDEX "TEXT" [selected]
//                                     [data=N] [at X,Y left L] (a list box item's middle and
//                                     left edge on the screen); a combo box's edit text last,
//                                     as edit "TEXT"
//   wintool style TITLE ID            the style bits of control ID, in decimal
//   wintool client TITLE              the screen position of the client area's bottom right
//   wintool owner TITLE               the title of the window's owner ("none" without one)
//   wintool tree TITLE                the selected item of the window's tree view and the
//                                     items above it, root first, one a line: "TEXT" X,Y
//                                     (the item's middle on the screen)
//   wintool orientation PRINTER       the printer's default orientation (1 portrait, 2 landscape)
//   wintool inichange MS              prints "ready", then the section of the first
//                                     WM_WININICHANGE its window gets ("null" for none)
//   wintool class CLASS [MS]          waits for a window of that class, lists it, then
//                                     prints "topmost" or "not topmost"
//   wintool syscolor N                system colour N as RRGGBB in hexadecimal
//   wintool clientrect TITLE ID       the client area of control ID on the screen: X,Y,W,H
//   wintool at X Y                    the title of the top-level window a person sees at that
//                                     point of the desktop ("none" where there is none)
//   wintool twin TITLE MS             shows a small window of that title, always on top, at
//                                     the desktop's bottom left, and prints "ready"; prints
//                                     "closed" as soon as something closes it, else "kept"
//                                     once another window of that title has come and gone
//                                     ("alone" when none came within MS ms)
// A window line: "TITLE" CLASS X,Y,W,H; a control line: two blanks, ID CLASS "TEXT" X,Y,W,H
// (screen coordinates, which are the desktop's).
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void printRect(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    std::printf(" %ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The text the window itself holds (an edit field's, say), asked of it by message.
std::string text(HWND w)
{
    char buf[1024] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000,
                             &length))
        GetWindowTextA(w, buf, sizeof buf);
    return buf;
}

std::string className(HWND w)
{
    char buf[256];
    GetClassNameA(w, buf, sizeof buf);
    return buf;
}

BOOL CALLBACK printChild(HWND w, LPARAM)
{
    std::printf("  %d %s \"%s\"", GetDlgCtrlID(w), className(w).c_str(), text(w).c_str());
    printRect(w);
    return TRUE;
}

void printWindow(HWND w)
{
    std::printf("\"%s\" %s", text(w).c_str(), className(w).c_str());
    printRect(w);
    EnumChildWindows(w, printChild, 0);
}

BOOL CALLBACK printTop(HWND w, LPARAM)
{
    if (IsWindowVisible(w))
        printWindow(w);
    return TRUE;
}

struct Search {
    const char* name;
    bool byClass;  // else by title
    HWND found;
};

BOOL CALLBACK findTop(HWND w, LPARAM lp)
{
    Search* s = reinterpret_cast<Search*>(lp);
    if (IsWindowVisible(w) && (s->byClass ? className(w) : text(w)) == s->name) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

int awaitClass(const char* name, DWORD limit)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start <= limit; Sleep(50)) {
        Search s = {name, true, nullptr};
        EnumWindows(findTop, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            printWindow(s.found);
            std::printf("%s\n", (GetWindowLongA(s.found, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "topmost" : "not topmost");
            return 0;
        }
    }
    return 1;
}

HWND find(const char* title)
{
    Search s = {title, false, nullptr};
    EnumWindows(findTop, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

int printVersion(const char* file)
{
    DWORD ignored;
    DWORD size = GetFileVersionInfoSizeA(file, &ignored);
    std::string block(size, '\0');
    if (!size || !GetFileVersionInfoA(file, 0, size, &block[0]))
        return 1;
    VS_FIXEDFILEINFO* fixed;
    UINT len;
    if (VerQueryValueA(&block[0], "\\", reinterpret_cast<void**>(&fixed), &len))
        std::printf("FILEVERSION %u.%u.%u.%u\nPRODUCTVERSION %u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS),
                    LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                    HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                    HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    const char* names[] = {"Comments", "CompanyName", "FileDescription", "FileVersion", "InternalName",
                           "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
    for (const char* name : names) {
        char path[128];
        char* value;
        std::snprintf(path, sizeof path, "\\StringFileInfo\\040904b0\\%s", name);
        if (VerQueryValueA(&block[0], path, reinterpret_cast<void**>(&value), &len))
            std::printf("%s=%s\n", name, value);
    }
    HMODULE m = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    char text[256] = "";
    if (m && LoadStringA(m, 100, text, sizeof text) > 0)
        std::printf("string 100=%s\n", text);
    return 0;
}

int printItems(const char* title, int id, int from)
{
    HWND control = GetDlgItem(find(title), id);
    if (!control)
        return 1;
    bool combo = className(control) == "ComboBox";
    UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT, textOf = combo ? CB_GETLBTEXT : LB_GETTEXT;
    UINT dataOf = combo ? CB_GETITEMDATA : LB_GETITEMDATA, lengthOf = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    LRESULT current = combo ? SendMessageA(control, CB_GETCURSEL, 0, 0) : -1;
    bool multiple = !combo && (GetWindowLongA(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
    if (!combo && !multiple)
        current = SendMessageA(control, LB_GETCURSEL, 0, 0);
    for (LRESULT i = from, n = SendMessageA(control, count, 0, 0); i < n; ++i) {
        // Asked in UTF-16: Wine passes an owner-drawn list's text across processes whole
        // only that way.
        WCHAR wide[1024] = L"";
        char item[1024] = "";
        LRESULT length = SendMessageW(control, lengthOf, i, 0);
        if (length >= 0 && length < 1024)
            SendMessageW(control, textOf, i, reinterpret_cast<LPARAM>(wide));
        WideCharToMultiByte(CP_ACP, 0, wide, -1, item, sizeof item, nullptr, nullptr);
        bool selected = multiple ? SendMessageA(control, LB_GETSEL, i, 0) > 0 : i == current;
        LRESULT data = SendMessageA(control, dataOf, i, 0);
        std::printf("%ld \"%s\"%s", static_cast<long>(i), item, selected ? " selected" : "");
        if (data)
            std::printf(" data=%ld", static_cast<long>(data));
        RECT r;
        if (!combo && SendMessageA(control, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)) != LB_ERR) {
            POINT mid = {(r.left + r.right) / 2, (r.top + r.bottom) / 2}, left = {r.left, 0};
            ClientToScreen(control, &mid);
            ClientToScreen(control, &left);
            std::printf(" at %ld,%ld left %ld", mid.x, mid.y, left.x);
        }
        std::printf("\n");
    }
    if (combo)
        std::printf("edit \"%s\"\n", text(control).c_str());
    return 0;
}

BOOL CALLBACK findTree(HWND w, LPARAM lp)
{
    if (className(w) != WC_TREEVIEWA)
        return TRUE;
    *reinterpret_cast<HWND*>(lp) = w;
    return FALSE;
}

// A tree view's items live in its own process: they are asked through a block of memory
// lent there.
int printTree(const char* title)
{
    HWND window = find(title), tree = nullptr;
    if (window)
        EnumChildWindows(window, findTree, reinterpret_cast<LPARAM>(&tree));
    DWORD pid = 0;
    GetWindowThreadProcessId(tree, &pid);
    HANDLE process = tree ? OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid) : nullptr;
    if (!process)
        return 1;
    struct Remote {
        TVITEMA item;
        RECT rect;
        char text[260];
    };
    auto* remote = static_cast<Remote*>(VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    std::string lines;
    for (auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)); remote && item;
         item = reinterpret_cast<HTREEITEM>(
             SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)))) {
        Remote local = {};
        local.item.mask = TVIF_TEXT;
        local.item.hItem = item;
        local.item.pszText = remote->text;
        local.item.cchTextMax = sizeof local.text;
        std::memcpy(&local.rect, &item, sizeof item);  // TVM_GETITEMRECT asks for the item there
        WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&remote->item));
        SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&remote->rect));
        ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
        local.text[sizeof local.text - 1] = '\0';
        POINT mid = {(local.rect.left + local.rect.right) / 2, (local.rect.top + local.rect.bottom) / 2};
        ClientToScreen(tree, &mid);
        char line[320];
        std::snprintf(line, sizeof line, "\"%s\" %ld,%ld\n", local.text, mid.x, mid.y);
        lines.insert(0, line);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    std::fputs(lines.c_str(), stdout);
    return remote ? 0 : 1;
}

int printOrientation(const char* name)
{
    HANDLE printer;
    if (!OpenPrinterA(const_cast<char*>(name), &printer, nullptr))
        return 1;
    DWORD size = 0;
    GetPrinterA(printer, 2, nullptr, 0, &size);
    std::string info(size ? size : 1, '\0');
    bool read = size && GetPrinterA(printer, 2, reinterpret_cast<BYTE*>(&info[0]), size, &size);
    ClosePrinter(printer);
    const DEVMODEA* mode = read ? reinterpret_cast<PRINTER_INFO_2A*>(&info[0])->pDevMode : nullptr;
    if (!mode)
        return 1;
    std::printf("orientation %d\n", mode->dmOrientation);
    return 0;
}

LRESULT CALLBACK iniChangeProc(HWND w, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_WININICHANGE) {
        std::printf("inichange %s\n", lp ? reinterpret_cast<const char*>(lp) : "null");
        std::fflush(stdout);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, message, wp, lp);
}

int awaitIniChange(DWORD limit)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = iniChangeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "wintool_inichange";
    RegisterClassA(&wc);
    // A top-level window, hidden: broadcasts reach it, and nothing shows.
    HWND w = CreateWindowA(wc.lpszClassName, "wintool inichange", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           wc.hInstance, nullptr);
    if (!w)
        return 1;
    SetTimer(w, 1, limit, nullptr);
    std::puts("ready");
    std::fflush(stdout);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER)
            return 1;
        DispatchMessageA(&m);
    }
    return 0;
}

bool twinClosed = false;
HWND twinWindow = nullptr;

// Whether a visible top-level window other than the twin has the title (lp).
BOOL CALLBACK findOtherTwin(HWND w, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    if (w != twinWindow && IsWindowVisible(w) && text(w) == s->name) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

LRESULT CALLBACK twinProc(HWND w, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_CLOSE)
        twinClosed = true;
    return DefWindowProcA(w, message, wp, lp);  // which destroys it on WM_CLOSE
}

int showTwin(const char* title, DWORD limit)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = twinProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "wintool_twin";
    RegisterClassA(&wc);
    // Above every other window, where a search by title meets it first, and in a corner,
    // clear of the windows a test looks at.
    HWND w = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, wc.lpszClassName, title, WS_POPUP | WS_CAPTION | WS_VISIBLE,
                             0, GetSystemMetrics(SM_CYSCREEN) - 60, 160, 60, nullptr, nullptr, wc.hInstance, nullptr);
    if (!w)
        return 1;
    twinWindow = w;
    std::puts("ready");
    std::fflush(stdout);
    DWORD start = GetTickCount(), goneAt = 0;
    bool seen = false;
    while (!twinClosed && GetTickCount() - start < limit) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
        Search s = {title, false, nullptr};
        EnumWindows(findOtherTwin, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            seen = true;
            goneAt = 0;
        } else if (seen && !goneAt) {
            goneAt = GetTickCount();
        } else if (goneAt && GetTickCount() - goneAt > 500) {
            break;  // the other has gone a while, and a request to close this one would be here
        }
    }
    std::puts(twinClosed ? "closed" : seen ? "kept" : "alone");
    return 0;
}

// A window that has just shown may not have the keyboard yet: keys pressed at once would
// go to the window behind it. Windows that never take the foreground (a modeless window
// shown without activation) are let go after a while.
void awaitForeground(HWND w)
{
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != w && GetTickCount() - start < 1500)
        Sleep(20);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "list") == 0) {
        EnumWindows(printTop, 0);
        return 0;
    }
    if (argc >= 3 && (std::strcmp(argv[1], "wait") == 0 || std::strcmp(argv[1], "gone") == 0)) {
        bool wantGone = argv[1][0] == 'g';
        DWORD limit = argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 10000;
        DWORD start = GetTickCount();
        for (;;) {
            HWND w = find(argv[2]);
            if (!wantGone && w) {
                awaitForeground(w);
                printWindow(w);
                return 0;
            }
            if (wantGone && !w)
                return 0;
            if (GetTickCount() - start > limit)
                return 1;
            Sleep(50);
        }
    }
    if (argc == 4 && std::strcmp(argv[1], "hold") == 0) {
        HANDLE f = CreateFileA(argv[2], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE)
            return 1;
        std::puts("held");
        std::fflush(stdout);
        Sleep(std::strtoul(argv[3], nullptr, 10));
        CloseHandle(f);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "echo") == 0) {
        FILE* f = std::fopen(argv[2], "w");
        if (!f)
            return 1;
        for (int k = 3; k < argc; ++k)
            std::fprintf(f, "%s%s", argv[k], k + 1 < argc ? " " : "\n");
        std::fclose(f);
        return 0;
    }
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "items") == 0)
        return printItems(argv[2], std::atoi(argv[3]), argc == 5 ? std::atoi(argv[4]) : 0);
    if (argc == 4 && std::strcmp(argv[1], "style") == 0) {
        HWND control = GetDlgItem(find(argv[2]), std::atoi(argv[3]));
        if (!control)
            return 1;
        std::printf("%lu\n", static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE)));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "client") == 0) {
        HWND w = find(argv[2]);
        RECT r;
        if (!w || !GetClientRect(w, &r))
            return 1;
        POINT corner = {r.right, r.bottom};
        ClientToScreen(w, &corner);
        std::printf("%ld,%ld\n", corner.x, corner.y);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "owner") == 0) {
        HWND w = find(argv[2]);
        if (!w)
            return 1;
        HWND owner = GetWindow(w, GW_OWNER);
        std::printf("%s\n", owner ? text(owner).c_str() : "none");
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "tree") == 0)
        return printTree(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "orientation") == 0)
        return printOrientation(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "inichange") == 0)
        return awaitIniChange(std::strtoul(argv[2], nullptr, 10));
    if (argc >= 3 && std::strcmp(argv[1], "class") == 0)
        return awaitClass(argv[2], argc >= 4 ? std::strtoul(argv[3], nullptr, 10) : 10000);
    if (argc == 4 && std::strcmp(argv[1], "clientrect") == 0) {
        HWND control = GetDlgItem(find(argv[2]), std::atoi(argv[3]));
        RECT r;
        if (!control || !GetClientRect(control, &r))
            return 1;
        POINT origin = {0, 0};
        ClientToScreen(control, &origin);
        std::printf("%ld,%ld,%ld,%ld\n", origin.x, origin.y, r.right, r.bottom);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "at") == 0) {
        HWND w = WindowFromPoint(POINT{std::atol(argv[2]), std::atol(argv[3])});
        HWND top = w ? GetAncestor(w, GA_ROOT) : nullptr;
        std::printf("%s\n", top ? text(top).c_str() : "none");
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "syscolor") == 0) {
        COLORREF c = GetSysColor(std::atoi(argv[2]));
        std::printf("%02X%02X%02X\n", GetRValue(c), GetGValue(c), GetBValue(c));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "version") == 0)
        return printVersion(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "twin") == 0)
        return showTwin(argv[2], std::strtoul(argv[3], nullptr, 10));
    std::fputs("usage: wintool list | wait TITLE [MS] | gone TITLE [MS] | version FILE | hold FILE MS\n"
               "       | echo FILE ARGS... | items TITLE ID [FROM] | style TITLE ID | client TITLE | orientation PRINTER\n"
               "       | owner TITLE | tree TITLE | inichange MS | class CLASS [MS] | syscolor N\n"
               "       | clientrect TITLE ID | at X Y | twin TITLE MS\n", stderr);
    return 2;
}
