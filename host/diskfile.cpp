#include "diskfile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

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

char* pieceMemory(size_t bytes)
{
    static std::vector<char> memory;
    if (memory.size() < bytes)
        memory.resize(bytes);
    return memory.data();
}

bool CReplacement::Create(const char* destination)
{
    size_t length = std::strlen(destination);
    if (length >= sizeof destination_ || namesDevice(destination))
        return false;
    std::memcpy(destination_, destination, length + 1);
    if (GetFileAttributesA(destination) == INVALID_FILE_ATTRIBUTES) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND)
            return false;
        std::memcpy(written_, destination, length + 1);  // nothing there to lose
        return true;
    }
    CFile existing;
    if (!openDiskFile(existing, destination, GENERIC_WRITE, 0, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL))
        return false;
    existing.Close();
    size_t n = folderLength(destination);
    if (!n)
        return false;  // no folder named: the caller passes full paths
    char folder[MAX_PATH];
    std::snprintf(folder, sizeof folder, "%.*s", static_cast<int>(n), destination);
    if (!GetTempFileNameA(folder, "~", 0, written_)) {
        written_[0] = '\0';
        return false;
    }
    beside_ = true;
    return true;
}

bool CReplacement::Commit()
{
    if (!written_[0] || (beside_ && !MoveFileExA(written_, destination_, MOVEFILE_REPLACE_EXISTING)))
        return false;  // the destructor removes what was written
    written_[0] = '\0';
    return true;
}

namespace {

// FILE_RENAME_INFO, which the headers declare only for later systems.
struct RenameInfo {
    BOOLEAN replaceIfExists;
    HANDLE rootDirectory;
    DWORD fileNameLength;
    WCHAR fileName[MAX_PATH];
};

// Renames the open file to path, replacing what is there; false when the system has no such
// call (before Windows Vista) or it fails.
bool renameOpenFile(HANDLE file, const char* path)
{
    using SetInformation = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);
    static const SetInformation setInformation = reinterpret_cast<SetInformation>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetFileInformationByHandle")));
    const int kFileRenameInfo = 3;
    RenameInfo info = {};
    int chars = setInformation ? MultiByteToWideChar(CP_ACP, 0, path, -1, info.fileName, MAX_PATH) : 0;
    if (chars <= 1)
        return false;
    info.replaceIfExists = TRUE;
    info.fileNameLength = static_cast<DWORD>((chars - 1) * sizeof(WCHAR));
    return setInformation(file, kFileRenameInfo, &info, sizeof info) != FALSE;
}

}  // namespace

bool CReplacement::Commit(CFile& written)
{
    if (beside_ && written_[0] && written.IsOpen() && renameOpenFile(written, destination_)) {
        written.Close();
        written_[0] = '\0';
        return true;
    }
    written.Close();
    return Commit();
}

void removeWrittenFile(const char* path)
{
    if (!DeleteFileA(path) && SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL))
        DeleteFileA(path);
}

CReplacement::~CReplacement()
{
    if (written_[0])
        removeWrittenFile(written_);
}
