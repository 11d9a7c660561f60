#include "diskfile.h"

#include "paths.h"

HANDLE openDiskFile(const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    if (namesDevice(path))
        return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    HANDLE file = CreateFileA(path, access, share, nullptr, disposition, flags, nullptr);
    if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return SetLastError(ERROR_FILE_NOT_FOUND), INVALID_HANDLE_VALUE;
    }
    return file;
}

bool reachesDevice(const char* path)
{
    if (namesDevice(path))
        return true;
    HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool device = GetFileType(file) != FILE_TYPE_DISK;
    CloseHandle(file);
    return device;
}
