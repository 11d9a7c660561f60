// A library loaded at run time, freed when it goes.
#pragma once

#include <windows.h>

#include "owned.h"

struct LibraryTraits : NullIsNone<HMODULE> {
    static bool Release(HMODULE module) { return FreeLibrary(module) != FALSE; }
};

class CLibrary : public COwned<LibraryTraits> {
public:
    bool Load(const char* name)
    {
        Attach(LoadLibraryA(name));
        return IsOpen();
    }
    bool Free() { return ReleaseHeld(); }
};
