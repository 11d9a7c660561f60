// kel_encrypt: enciphers or deciphers a file in place with a password; the same call with
// the same password undoes it.
#include <windows.h>

#include <cstring>
#include <new>

#include "adslib.h"
#include "args.h"
#include "diskfile.h"
#include "encryptcore.h"
#include "handlers.h"
#include "messages.h"
#include "paths.h"
#include "results.h"

namespace {

// The file moves through memory in large pieces, each a whole number of key blocks, so
// that every byte meets the key byte its offset names, as block by block.
const DWORD kChunk = 1024 * kCipherBlock;

// The file through its handle.
class HandleFile : public CipherFile {
public:
    explicit HandleFile(HANDLE file) : file_(file) {}
    bool read(int64_t at, uint8_t* data, size_t size) override
    {
        DWORD moved = 0;
        return seek(at) && ReadFile(file_, data, static_cast<DWORD>(size), &moved, nullptr) && moved == size;
    }
    bool write(int64_t at, const uint8_t* data, size_t size) override
    {
        DWORD moved = 0;
        return seek(at) && WriteFile(file_, data, static_cast<DWORD>(size), &moved, nullptr) && moved == size;
    }

private:
    HANDLE file_;
    bool seek(int64_t at) { return SeekFile64(file_, at); }
};

}  // namespace

int kelEncrypt(struct resbuf* args)
{
    Args in(args);
    char path[260], full[260], password[260];
    if (!in.path(path) || !in.string(password) || !in.end())
        return stopped();
    // A device is no file: nil as for a missing one, before anything reaches it.
    bool device = namesDevice(path);
    if (!device && !_fullpath(full, path, sizeof full))
        return giveNil();
    uint8_t* buffer;
    try {
        buffer = reinterpret_cast<uint8_t*>(pieceMemory(kChunk));
    } catch (const std::bad_alloc&) {
        return fail(MSG_OUT_OF_MEMORY_CAPITAL);
    }
    size_t length = std::strlen(password);
    if (length == 0)
        return fail(MSG_INVALID_STRING_LENGTH_CAPITAL);
    uint8_t key[kCipherBlock];
    cipherKey(password, length, key);
    CFile file;
    if (device || !openDiskFile(file, full, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL))
        return giveNil();
    LONGLONG size = 0;
    HandleFile handle(file);
    bool ok = GetFileSize64(file, size) && cipherRun(handle, size, key, buffer, kChunk);
    // The memory outlives the call: no deciphered text stays behind in it.
    std::memset(buffer, 0, ok && size < kChunk ? static_cast<size_t>(size) : kChunk);
    if (!ok)
        return fail(MSG_BYTES_READ);
    return giveString(full);
}
