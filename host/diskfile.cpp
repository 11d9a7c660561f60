#include "diskfile.h"

#include "paths.h"

bool openDiskFile(CFile& file, const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    file.Close();
    if (namesDevice(path))
        return SetLastError(ERROR_FILE_NOT_FOUND), false;
    if (file.Create(path, access, share, disposition, flags) && file.GetType() != FILE_TYPE_DISK) {
        file.Close();
        return SetLastError(ERROR_FILE_NOT_FOUND), false;
    }
    return file.IsOpen();
}

bool reachesDevice(const char* path)
{
    if (namesDevice(path))
        return true;
    CFile file;
    if (!file.Create(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS))
        return false;
    return file.GetType() != FILE_TYPE_DISK;
}
