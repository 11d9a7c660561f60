// A kernel object's handle (a process, a thread, a token, a snapshot, a mapping), closed when
// it goes. Null and INVALID_HANDLE_VALUE both stand for none: the system's calls give one or
// the other when they fail.
#pragma once

#include <windows.h>

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE handle) : handle_(handle) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    operator HANDLE() const { return handle_; }
    bool IsOpen() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    void Attach(HANDLE handle) { Close(); handle_ = handle; }
    HANDLE Detach()
    {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    bool Close()
    {
        bool closed = !IsOpen() || CloseHandle(handle_);
        handle_ = nullptr;
        return closed;
    }

protected:
    HANDLE handle_ = nullptr;
};
