// A directory search, closed when it goes.
#pragma once

#include <windows.h>

class CFindFile {
public:
    CFindFile() = default;
    ~CFindFile() { Close(); }
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;

    // The first entry of the pattern; false when it finds none.
    bool FindFirst(const char* pattern, WIN32_FIND_DATAA& entry)
    {
        Attach(FindFirstFileA(pattern, &entry));
        return IsOpen();
    }
    bool FindNext(WIN32_FIND_DATAA& entry) { return FindNextFileA(handle_, &entry) != FALSE; }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Attach(HANDLE handle) { Close(); handle_ = handle; }
    HANDLE Detach()
    {
        HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }
    bool Close()
    {
        bool closed = !IsOpen() || FindClose(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
