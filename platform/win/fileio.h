// A file opened with CreateFileA, closed when it goes.
#pragma once

#include <windows.h>

#include "handle.h"

// A file's size and position in 64 bits by the calls every Windows has: GetFileSizeEx and
// SetFilePointerEx are not on the Windows 95/98 family, and a module that imports them does
// not load there.
inline bool GetFileSize64(HANDLE file, LONGLONG& size)
{
    DWORD high = 0;
    SetLastError(NO_ERROR);
    DWORD low = GetFileSize(file, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    size = static_cast<LONGLONG>(high) << 32 | low;
    return true;
}

inline bool SeekFile64(HANDLE file, LONGLONG at)
{
    LONG high = static_cast<LONG>(at >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(file, static_cast<LONG>(at & 0xFFFFFFFF), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

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
