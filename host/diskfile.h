// Files opened only when they are files on disk.
#pragma once

#include <windows.h>

#include <cstddef>

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

// Memory of at least bytes for a file moved through in pieces, kept from one call to the next
// (and shared by the functions that rewrite files, one call at a time): fresh memory this
// large costs more to map and zero than a small file's whole call. It holds nothing the next
// call may rely on. Throws std::bad_alloc when there is no memory for it.
char* pieceMemory(size_t bytes);

// Removes a file the call itself wrote. A copy takes its source's attributes, read-only too,
// even when it fails part-way; the file is the call's own, so the attribute does not keep it.
void removeWrittenFile(const char* path);

// A whole file written so that a write that fails (a full disk) loses nothing: over an
// existing destination it is written beside it and takes its place only when complete; a
// new destination is written where it goes. Either way, unless committed, what was written
// is removed.
class CReplacement {
public:
    CReplacement() = default;
    CReplacement(const CReplacement&) = delete;
    CReplacement& operator=(const CReplacement&) = delete;
    ~CReplacement();
    // Chooses the path to write (Path); false, with nothing made, when the destination is a
    // device or exists and cannot be written (read-only, a folder, in use: a source held
    // open is never its own destination).
    bool Create(const char* destination);
    const char* Path() const { return written_; }
    // How Path is made: written over where it is the file made beside the destination; made
    // new where it is the destination itself (CREATE_NEW, or a copy that fails if a file is
    // there), so that a file another program made there meanwhile is not written over.
    DWORD Disposition() const { return beside_ ? CREATE_ALWAYS : CREATE_NEW; }
    // Path could not be made new: what stands there is not the call's, and is not removed.
    void NotMade()
    {
        if (!beside_)
            written_[0] = '\0';
    }
    // The complete file is the destination; false, and it is removed, when it cannot be.
    bool Commit();
    // The same for the file still open in written (opened with DELETE access), which is
    // closed either way: renamed while open where the system can, one request where closing
    // it and moving it by name takes several.
    bool Commit(CFile& written);

private:
    char destination_[MAX_PATH] = "";
    char written_[MAX_PATH] = "";
    bool beside_ = false;
};
