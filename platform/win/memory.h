// Memory blocks of the system's allocators, freed when they go: a block of the process heap,
// a global block and its lock.
#pragma once

#include <windows.h>

class CHeapBlock {
public:
    CHeapBlock() = default;
    // A zeroed block of the given size; data() is null when there is no room.
    explicit CHeapBlock(SIZE_T size) { Alloc(size); }
    ~CHeapBlock() { Free(); }
    CHeapBlock(const CHeapBlock&) = delete;
    CHeapBlock& operator=(const CHeapBlock&) = delete;

    char* Alloc(SIZE_T size)
    {
        Attach(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
        return data_;
    }
    char* data() const { return data_; }
    void Attach(void* data) { Free(); data_ = static_cast<char*>(data); }
    char* Detach()
    {
        char* data = data_;
        data_ = nullptr;
        return data;
    }
    bool Free()
    {
        bool freed = !data_ || HeapFree(GetProcessHeap(), 0, data_);
        data_ = nullptr;
        return freed;
    }

private:
    char* data_ = nullptr;
};

class CGlobalBlock {
public:
    CGlobalBlock() = default;
    explicit CGlobalBlock(HGLOBAL block) : block_(block) {}
    ~CGlobalBlock() { Free(); }
    CGlobalBlock(const CGlobalBlock&) = delete;
    CGlobalBlock& operator=(const CGlobalBlock&) = delete;

    operator HGLOBAL() const { return block_; }
    void Attach(HGLOBAL block) { Free(); block_ = block; }
    HGLOBAL Detach()
    {
        HGLOBAL block = block_;
        block_ = nullptr;
        return block;
    }
    // GlobalFree gives null when it frees the block.
    bool Free()
    {
        bool freed = !block_ || !GlobalFree(block_);
        block_ = nullptr;
        return freed;
    }

private:
    HGLOBAL block_ = nullptr;
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
