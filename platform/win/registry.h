// A registry key, closed when it goes.
#pragma once

#include <windows.h>

#include "owned.h"

struct KeyTraits : NullIsNone<HKEY> {
    static bool Release(HKEY key) { return RegCloseKey(key) == ERROR_SUCCESS; }
};

class CKey : public COwned<KeyTraits> {
public:
    // The system's error code; the key held before is closed either way.
    LONG Open(HKEY parent, const char* name, DWORD options, REGSAM rights)
    {
        HKEY key = nullptr;
        LONG rc = RegOpenKeyExA(parent, name, options, rights, &key);
        Attach(rc == ERROR_SUCCESS ? key : nullptr);
        return rc;
    }
    LONG Create(HKEY parent, const char* name, DWORD options, REGSAM rights)
    {
        HKEY key = nullptr;
        LONG rc = RegCreateKeyExA(parent, name, 0, nullptr, options, rights, nullptr, &key, nullptr);
        Attach(rc == ERROR_SUCCESS ? key : nullptr);
        return rc;
    }
    bool Close() { return ReleaseHeld(); }
};
