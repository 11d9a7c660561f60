// A view of a file mapping, unmapped when it goes. The mapping itself is a CHandle.
#pragma once

#include <windows.h>

#include "owned.h"

struct MappedViewTraits : NullIsNone<void*> {
    static bool Release(void* view) { return UnmapViewOfFile(view) != FALSE; }
};

class CMappedView : public COwned<MappedViewTraits> {
public:
    // The whole mapping from its start; null when it cannot be mapped.
    void* Map(HANDLE mapping, DWORD access)
    {
        Attach(MapViewOfFile(mapping, access, 0, 0, 0));
        return value_;
    }
    void* data() const { return value_; }
    bool Unmap() { return ReleaseHeld(); }
};
