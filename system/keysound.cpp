// kel_capslock, kel_numlock, kel_scrolllock, kel_beep, kel_speaker, kel_wav, kel_clipboard,
// kel_winhelp, kel_pause: the keyboard's locks, sounds, the clipboard and help.
#include <windows.h>

#include <mmsystem.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "adslib.h"
#include "adswin.h"
#include "args.h"
#include "diskfile.h"
#include "handlers.h"
#include "memory.h"
#include "messages.h"
#include "paths.h"
#include "platform.h"
#include "results.h"

namespace {

const DWORD kShortestTone = 75;  // milliseconds

bool lockOn(BYTE key) { return GetKeyState(key) & 1; }

void toggle(BYTE key)
{
    BYTE scan = static_cast<BYTE>(MapVirtualKeyA(key, 0));
    keybd_event(key, scan, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(key, scan, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

// With T the lock goes on, without an argument off; anything else is refused.
int setLock(struct resbuf* args, BYTE key)
{
    Args in(args);
    bool on = in.more();
    if (on && !in.at(RTT))
        return fail(MSG_INVALID_ARGUMENT);
    if (lockOn(key) != on)
        toggle(key);
    return giveBool(on);
}

// Waits by watching the clock, without sleeping or taking messages.
void spinFor(DWORD milliseconds)
{
    clock_t end = std::clock() + static_cast<clock_t>(milliseconds * (CLOCKS_PER_SEC / 1000.0));
    while (std::clock() < end) {
    }
}

}  // namespace

int kelCapslock(struct resbuf* args) { return setLock(args, VK_CAPITAL); }
int kelNumlock(struct resbuf* args) { return setLock(args, VK_NUMLOCK); }
int kelScrolllock(struct resbuf* args) { return setLock(args, VK_SCROLL); }

int kelBeep(struct resbuf* args)
{
    Args in(args);
    int type = 0;
    if (in.more() && (!in.integer(type) || !in.end()))
        return stopped();
    static const UINT sounds[] = {0xFFFFFFFF, MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONQUESTION, MB_OK};
    UINT sound = type >= 0 && type <= 5 ? sounds[type] : 0xFFFFFFFF;
    return giveBool(MessageBeep(sound));
}

int kelSpeaker(struct resbuf* args)
{
    Args in(args);
    int frequency, length;
    if (!in.integer(frequency) || !in.integer(length) || !in.end())
        return stopped();
    // A negative length would be a tone of weeks: it counts as one too short.
    DWORD ms = length < static_cast<int>(kShortestTone) ? kShortestTone : static_cast<DWORD>(length);
    int family = platformFamily();
    if (family < 0)
        return giveNil();
    // The timer ports of the Windows 95/98 family cannot be known to be open to this
    // process, and touching a closed one faults it: the tone comes from Beep on every
    // platform. Only the NT family's Beep lasts the length; elsewhere it returns at once,
    // so the length is waited for after it, as the port sequence does (silent or not).
    if (frequency > 0)
        Beep(static_cast<DWORD>(frequency), ms);
    if (family != VER_PLATFORM_WIN32_NT)
        spinFor(ms);
    return giveNil();
}

int kelWav(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH], full[MAX_PATH];
    if (!in.path(path))
        return stopped();
    if (namesDevice(path) || !_fullpath(full, path, sizeof full))
        return giveNil();
    if (!in.end())
        return stopped();
    if (reachesDevice(full))
        return giveNil();  // the sound would be read from a port or a pipe
    return giveBool(PlaySoundA(full, nullptr, SND_NODEFAULT));
}

int kelClipboard(struct resbuf* args)
{
    HWND owner = adsw_acadMainWnd();
    Args in(args);
    if (!in.more()) {
        if (!OpenClipboard(owner))
            return giveNil();
        int given;
        {
            HANDLE data = GetClipboardData(CF_TEXT);
            CGlobalLock locked(data);
            const char* text = static_cast<const char*>(locked.data());
            // Another program's text need not end within its block: read no further than it.
            size_t size = text ? GlobalSize(data) : 0;
            const void* end = text ? std::memchr(text, '\0', size) : nullptr;
            given = !text ? giveNil() : end ? giveString(text) : giveString(std::string(text, size).c_str());
        }  // unlocked before the clipboard closes
        CloseClipboard();
        return given;
    }
    if (!in.at(RTSTR))
        return failNoResult(MSG_INVALID_ARGUMENT);  // no result: the call yields nothing
    const char* text = in.text();
    if (OpenClipboard(owner)) {
        EmptyClipboard();
        size_t n = std::strlen(text) + 1;
        CGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, n));
        bool copied = false;
        {
            CGlobalLock locked(block);
            if (locked.data()) {
                std::memcpy(locked.data(), text, n);
                copied = true;
            }
        }  // unlocked before the clipboard takes it
        if (copied && SetClipboardData(CF_TEXT, block))
            block.Detach();  // the clipboard's now
        CloseClipboard();
    }
    return giveString(text);
}

int kelWinhelp(struct resbuf* args)
{
    Args in(args);
    char path[MAX_PATH], full[MAX_PATH], keyword[MAX_PATH];
    if (!in.path(path))
        return stopped();
    if (namesDevice(path) || !_fullpath(full, path, sizeof full))
        return giveNil();
    UINT command = HELP_FINDER;
    ULONG_PTR data = 0;
    if (in.more()) {
        int context;
        if (in.at(RTSHORT) && in.integer(context)) {
            command = HELP_CONTEXT;
            data = static_cast<ULONG_PTR>(context);
        } else if (in.at(RTSTR)) {
            if (!in.string(keyword))
                return stopped();
            command = HELP_PARTIALKEY;
            data = reinterpret_cast<ULONG_PTR>(keyword);
        } else {
            return fail(MSG_INVALID_ARGUMENT);
        }
    }
    return giveBool(WinHelpA(adsw_acadMainWnd(), full, command, data));
}

int kelPause(struct resbuf* args)
{
    Args in(args);
    int seconds;
    if (!in.integer(seconds))
        return stopped();
    if (seconds < 0)
        return fail(MSG_INVALID_ARGUMENT);
    if (!in.end())
        return stopped();
    DWORD start = GetTickCount(), end = start + static_cast<DWORD>(seconds) * 1000u;
    if (end > start)
        while (GetTickCount() < end) {
        }
    return giveNil();
}
