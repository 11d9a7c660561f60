// A file opened with CreateFileA, closed when it goes.
#pragma once

#include <windows.h>

#include "handle.h"

class CFile : public CHandle {
public:
    bool Create(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
    {
        Attach(CreateFileA(path, access, share, nullptr, disposition, flags, nullptr));
        return IsOpen();
    }
    bool Read(void* data, DWORD size, DWORD& done) { return ReadFile(value_, data, size, &done, nullptr) != FALSE; }
    DWORD GetType() const { return GetFileType(value_); }
};
