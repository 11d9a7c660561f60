// A directory search, closed when it goes.
#pragma once

#include <windows.h>

#include "owned.h"

struct FindHandleTraits {
    using Type = HANDLE;
    static HANDLE None() { return INVALID_HANDLE_VALUE; }
    static bool Holds(HANDLE handle) { return handle != INVALID_HANDLE_VALUE; }
    static bool Release(HANDLE handle) { return FindClose(handle) != FALSE; }
};

class CFindFile : public COwned<FindHandleTraits> {
public:
    // The first entry of the pattern; false when it finds none.
    bool FindFirst(const char* pattern, WIN32_FIND_DATAA& entry)
    {
        Attach(FindFirstFileA(pattern, &entry));
        return IsOpen();
    }
    bool FindNext(WIN32_FIND_DATAA& entry) { return FindNextFileA(value_, &entry) != FALSE; }
    bool Close() { return ReleaseHeld(); }
};
