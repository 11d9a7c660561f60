// A printer opened through the spooler, closed when it goes.
#pragma once

#include <windows.h>

#include <winspool.h>

class CPrinter {
public:
    CPrinter() = default;
    ~CPrinter() { Close(); }
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;

    operator HANDLE() const { return handle_; }
    bool Open(const char* name, PRINTER_DEFAULTSA* defaults)
    {
        HANDLE handle = nullptr;
        Attach(OpenPrinterA(const_cast<char*>(name), &handle, defaults) ? handle : nullptr);
        return handle_ != nullptr;
    }
    void Attach(HANDLE handle) { Close(); handle_ = handle; }
    HANDLE Detach()
    {
        HANDLE handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    bool Close()
    {
        bool closed = !handle_ || ClosePrinter(handle_);
        handle_ = nullptr;
        return closed;
    }

private:
    HANDLE handle_ = nullptr;
};
