// kel_splash: a bitmap file in a borderless, always-on-top window in the middle of the
// screen, until a timer or a click closes it. The call runs its own message loop meanwhile,
// so the host's windows keep working.
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "fileio.h"
#include "gdi.h"
#include "handlers.h"
#include "messages.h"
#include "moduleresources.h"
#include "progresswindows.h"
#include "paths.h"
#include "results.h"
#include "splashcore.h"
#include "trace.h"

namespace {

const char kSplashClass[] = "Splash";

char splashFile[MAX_PATH];
int splashSeconds;
unsigned splashMillisecs;

// The bitmap and its size, loaded when the window is shown and kept while it is.
CGdiBitmap splashBitmap;
SIZE splashSize;

// Whether the file's headers keep its pixels inside it; the system's loader would read past
// the end of one that claims more than it holds. A device is never opened.
bool splashFileSound()
{
    CFile file;
    if (namesDevice(splashFile) || !file.Create(splashFile, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0) ||
        file.GetType() != FILE_TYPE_DISK)
        return false;
    LONGLONG size;
    unsigned char head[kBitmapHeadBytes];
    DWORD got = 0;
    return GetFileSize64(file, size) && file.Read(head, sizeof head, got) &&
           bitmapFileSound(head, got, static_cast<unsigned long long>(size));
}

bool loadSplashBitmap()
{
    splashBitmap.Delete();
    if (!splashFileSound())
        return false;
    splashBitmap.Attach(static_cast<HBITMAP>(
        LoadImageA(nullptr, splashFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info;
    if (splashBitmap.IsOpen() && GetObjectA(splashBitmap, sizeof info, &info)) {
        splashSize = {info.bmWidth, info.bmHeight};
        return true;
    }
    splashBitmap.Delete();
    return false;
}

// The bitmap's own colours when it has a colour table, else eight levels of red and green
// and four of blue.
HPALETTE makePalette(HDC withBitmap)
{
    RGBQUAD table[256];
    UINT count = GetDIBColorTable(withBitmap, 0, 256, table);
    UINT entries = count ? count : 256;
    std::vector<char> memory(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    for (UINT i = 0; i < entries; ++i) {
        PALETTEENTRY& e = palette->palPalEntry[i];
        if (count) {
            e = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
        } else {
            PaletteColour c = defaultPaletteEntry(static_cast<int>(i));
            e = {c.red, c.green, c.blue, 0};
        }
    }
    return CreatePalette(palette);
}

void paintBitmap(HWND window, HDC dc)
{
    if (!splashBitmap.IsOpen())
        return;
    RECT client;
    GetClientRect(window, &client);
    CMemoryDC memory(dc);
    CSelectObject bitmapIn(memory, splashBitmap);
    CGdiPalette palette(makePalette(memory));
    CSelectPalette paletteIn(dc, palette, FALSE);
    RealizePalette(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, splashSize.cx, splashSize.cy, SRCCOPY);
}

LRESULT onMessage(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    switch (message) {
    case WM_CREATE:
        SetTimer(window, 0, splashMillisecs, nullptr);
        return 0;
    case WM_TIMER:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        splashBitmap.Delete();
        return 0;
    case WM_PAINT: {
        CPaintDC dc(window);
        paintBitmap(window, dc);
        return 0;
    }
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wp) == window)
            return 0;
        [[fallthrough]];  // another window took the palette
    case WM_QUERYNEWPALETTE:
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        return 1;
    default:
        return DefWindowProcA(window, message, wp, lp);
    }
}

LRESULT CALLBACK splashProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    try {
        return onMessage(window, message, wp, lp);
    } catch (...) {
        traceWindowException(window, message);
        return DefWindowProcA(window, message, wp, lp);  // as a message the splash leaves alone
    }
}

bool registerSplashClass()
{
    UnregisterClassA(kSplashClass, nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = splashProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kSplashClass;
    return RegisterClassA(&wc) != 0;
}

// The window at the bitmap's size in the middle of the desktop, above all others; null (after
// its messages) when the bitmap cannot be loaded or the window made. The bitmap is kept until
// the window goes.
HWND createSplashWindow()
{
    if (!loadSplashBitmap()) {
        acutPrintf(MSG_CANNOT_INITIALIZE_WINDOW);
        return nullptr;
    }
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SplashOrigin at = splashOrigin(desktop.right, desktop.bottom, splashSize.cx, splashSize.cy);
    HWND window = CreateWindowExA(0, kSplashClass, nullptr, WS_POPUP | WS_BORDER, at.x, at.y, splashSize.cx,
                                  splashSize.cy, nullptr, nullptr, nullptr, nullptr);
    if (!window) {
        splashBitmap.Delete();
        acutPrintf(MSG_CANNOT_CREATE_WINDOW);
        acutPrintf(MSG_CANNOT_INITIALIZE_WINDOW);
        return nullptr;
    }
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

}  // namespace

int kelSplash(struct resbuf* args)
{
    ModuleResources resources;
    char file[MAX_PATH];
    Args in(args);
    if (!in.path(file) || !in.integer(splashSeconds))
        return stopped();
    if (!_fullpath(splashFile, file, sizeof splashFile))
        return fail(MSG_INVALID_STRING_LENGTH);  // a full path past the system's limit
    if (splashSeconds <= 0)
        return fail(MSG_INVALID_ARGUMENT);
    splashMillisecs = splashMillis(splashSeconds);
    if (!in.end())
        return stopped();
    if (!registerSplashClass())
        return fail(MSG_CANNOT_REGISTER_CLASS);
    // The loop ends with the window. A quit posted meanwhile is the host's (its window
    // closed): the splash goes at once and the quit is posted again for the host's own loop.
    HWND window = createSplashWindow();
    MSG msg;
    while (window && IsWindow(window)) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            DestroyWindow(window);
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return giveNil();
}

void forgetSplashClass() { UnregisterClassA(kSplashClass, nullptr); }
