// Files opened only when they are files on disk.
#pragma once

#include <windows.h>

#include "fileio.h"

// CreateFileA for a file on disk: a device, named or reached otherwise (a pipe, a port), is
// refused as a missing file is, before anything is read from or written to it, since its
// reads and writes can block the host for ever. False, with the file closed and the last error
// set, when it is not opened.
bool openDiskFile(CFile& file, const char* path, DWORD access, DWORD share, DWORD disposition, DWORD flags);

// True when the path names a device, or opens as something other than a file or folder on
// disk (a pipe, a port): a copy from or to it could block for ever. A path that does not
// open is left to the call that uses it.
bool reachesDevice(const char* path);
