// kel_encrypt: enciphers or deciphers a file in place with a password; the same call with
// the same password undoes it.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "adslib.h"
#include "args.h"
#include "cipher.h"
#include "handlers.h"

namespace {

// The file moves through memory in large pieces, each a whole number of key blocks, so
// that every byte meets the key byte its offset names, as block by block.
const DWORD kChunk = 1024 * kCipherBlock;

// Reads, combines and writes back the whole file; false when a read or write falls short.
bool rewrite(HANDLE file, const uint8_t* key, uint8_t* buffer)
{
    LARGE_INTEGER size, at = {};
    if (!GetFileSizeEx(file, &size))
        return false;
    for (LONGLONG remaining = size.QuadPart; remaining > 0;) {
        DWORD chunk = remaining < kChunk ? static_cast<DWORD>(remaining) : kChunk;
        DWORD moved = 0;
        SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        if (!ReadFile(file, buffer, chunk, &moved, nullptr) || moved != chunk)
            return false;
        cipherApply(key, buffer, chunk);
        SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
        if (!WriteFile(file, buffer, chunk, &moved, nullptr) || moved != chunk)
            return false;
        at.QuadPart += chunk;
        remaining -= chunk;
    }
    return true;
}

}  // namespace

int kelEncrypt(struct resbuf* args)
{
    char path[260], full[260], password[260];
    if (!getPathArg(args, path) || !getStringArg(args->rbnext, password) || !noMoreArgs(args->rbnext->rbnext))
        return RTNORM;
    if (!_fullpath(full, path, sizeof full))
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
    HANDLE file = CreateFileA(full, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
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
