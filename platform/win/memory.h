// Memory blocks of the system's allocators, freed when they go: a block of the process heap,
// a global block and its lock.
#pragma once

#include <windows.h>

#include "owned.h"

struct HeapBlockTraits : NullIsNone<char*> {
    static bool Release(char* data) { return HeapFree(GetProcessHeap(), 0, data) != FALSE; }
};

class CHeapBlock : public COwned<HeapBlockTraits> {
public:
    CHeapBlock() = default;
    // A zeroed block of the given size; data() is null when there is no room.
    explicit CHeapBlock(SIZE_T size) { Alloc(size); }

    char* Alloc(SIZE_T size)
    {
        Attach(static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size)));
        return value_;
    }
    char* data() const { return value_; }
    bool Free() { return ReleaseHeld(); }
};

struct GlobalBlockTraits : NullIsNone<HGLOBAL> {
    static bool Release(HGLOBAL block) { return GlobalFree(block) == nullptr; }  // null when freed
};

class CGlobalBlock : public COwned<GlobalBlockTraits> {
public:
    using COwned::COwned;
    bool Free() { return ReleaseHeld(); }
};

// A global block locked while this lives; data() is null when it cannot be locked.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~CGlobalLock()
    {
        if (data_)
            GlobalUnlock(block_);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    void* data() const { return data_; }

private:
    HGLOBAL block_;
    void* data_;
};
