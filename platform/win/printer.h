// A printer opened through the spooler, closed when it goes.
#pragma once

#include <windows.h>

#include <winspool.h>

#include "owned.h"

struct PrinterTraits : NullIsNone<HANDLE> {
    static bool Release(HANDLE printer) { return ClosePrinter(printer) != FALSE; }
};

class CPrinter : public COwned<PrinterTraits> {
public:
    bool Open(const char* name, PRINTER_DEFAULTSA* defaults)
    {
        HANDLE handle = nullptr;
        Attach(OpenPrinterA(const_cast<char*>(name), &handle, defaults) ? handle : nullptr);
        return IsOpen();
    }
    bool Close() { return ReleaseHeld(); }
};
