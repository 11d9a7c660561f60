// kel_encrypt: enciphers or deciphers a file in place with a password; the same call with
// the same password undoes it.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "cipher.h"
#include "filesearch.h"
#include "handlers.h"
#include "paths.h"

namespace {

// The file moves through memory in large pieces, each a whole number of key blocks, so
// that every byte meets the key byte its offset names, as block by block.
const DWORD kChunk = 1024 * kCipherBlock;

// Makes the bytes at offset at, of which buffer holds the plain form, plain on disk again,
// page by page, writing only the pages that differ: after a write that fell short, the
// pages it reached are the file's own and take no new space.
void restorePlain(HANDLE file, LONGLONG at, const uint8_t* buffer, DWORD size)
{
    const DWORD kPage = 4096;
    uint8_t onDisk[kPage];
    for (DWORD done = 0; done < size; done += kPage) {
        DWORD n = size - done < kPage ? size - done : kPage, moved = 0;
        LARGE_INTEGER where;
        where.QuadPart = at + done;
        SetFilePointerEx(file, where, nullptr, FILE_BEGIN);
        if (ReadFile(file, onDisk, n, &moved, nullptr) && moved == n && std::memcmp(onDisk, buffer + done, n) == 0)
            continue;
        SetFilePointerEx(file, where, nullptr, FILE_BEGIN);
        WriteFile(file, buffer + done, n, &moved, nullptr);
    }
}

// Combines the chunk at offset at in place; false when its read or write falls short.
// A write that falls short may have reached part of the chunk: that part is made plain
// again before returning.
bool combineChunk(HANDLE file, LONGLONG at, DWORD chunk, const uint8_t* key, uint8_t* buffer)
{
    LARGE_INTEGER where;
    where.QuadPart = at;
    DWORD moved = 0;
    SetFilePointerEx(file, where, nullptr, FILE_BEGIN);
    if (!ReadFile(file, buffer, chunk, &moved, nullptr) || moved != chunk)
        return false;
    cipherApply(key, buffer, chunk);
    SetFilePointerEx(file, where, nullptr, FILE_BEGIN);
    if (WriteFile(file, buffer, chunk, &moved, nullptr) && moved == chunk)
        return true;
    cipherApply(key, buffer, chunk);  // the plain form again
    restorePlain(file, at, buffer, chunk);
    return false;
}

// Reads, combines and writes back the whole file. When a chunk fails, the chunks already
// rewritten are combined once more, last first, since the cipher is its own inverse: the
// file is then wholly combined or as it was, and the undoing needs no new disk space.
bool rewrite(HANDLE file, const uint8_t* key, uint8_t* buffer)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return false;
    LONGLONG at = 0;
    for (; at < size.QuadPart; at += kChunk) {
        LONGLONG remaining = size.QuadPart - at;
        if (!combineChunk(file, at, remaining < kChunk ? static_cast<DWORD>(remaining) : kChunk, key, buffer))
            break;
    }
    if (at >= size.QuadPart)
        return true;
    while (at > 0) {
        at -= kChunk;  // every chunk before the one that failed is whole
        combineChunk(file, at, kChunk, key, buffer);
    }
    return false;
}

}  // namespace

int kelEncrypt(struct resbuf* args)
{
    char path[260], full[260], password[260];
    if (!getPathArg(args, path) || !getStringArg(args->rbnext, password) || !noMoreArgs(args->rbnext->rbnext))
        return RTNORM;
    // A device is no file: nil as for a missing one, before anything reaches it.
    bool device = namesDevice(path);
    if (!device && !_fullpath(full, path, sizeof full))
        return acedRetNil(), RTNORM;
    uint8_t* buffer = static_cast<uint8_t*>(std::malloc(kChunk));
    if (!buffer)
        return report("Kelmar Error:  Out of memory.\n"), RTNORM;
    size_t length = std::strlen(password);
    if (length == 0) {
        std::free(buffer);
        return report("Kelmar Error:  Invalid string length.\n"), RTNORM;
    }
    uint8_t key[kCipherBlock];
    cipherKey(password, length, key);
    HANDLE file = device ? INVALID_HANDLE_VALUE
                         : openDiskFile(full, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) {
        std::free(buffer);
        return acedRetNil(), RTNORM;
    }
    bool ok = rewrite(file, key, buffer);
    CloseHandle(file);
    std::free(buffer);
    if (ok)
        acedRetStr(full);
    else
        report("Bytes Read\n");
    return RTNORM;
}
