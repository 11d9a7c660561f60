// kel_dos2unix, kel_unix2dos: line ends converted from one convention to the other into a
// new file.
#include <windows.h>

#include <cstdlib>

#include "adslib.h"
#include "args.h"
#include "diskfile.h"
#include "handlers.h"
#include "lineendscore.h"
#include "messages.h"
#include "paths.h"
#include "results.h"
#include "trace.h"

namespace {

struct Messages {
    const char* openSource;
    const char* openDestination;
    const char* readSource;
    const char* writeDestination;
};

const Messages toUnix = {MSG_CANNOT_OPEN_DOS_SOURCE, MSG_CANNOT_OPEN_UNIX_DESTINATION,
                         MSG_CANNOT_READ_DOS_SOURCE, MSG_CANNOT_WRITE_UNIX_DESTINATION};
const Messages toDos = {MSG_CANNOT_OPEN_UNIX_SOURCE, MSG_CANNOT_OPEN_DOS_DESTINATION,
                        MSG_CANNOT_READ_UNIX_SOURCE, MSG_CANNOT_WRITE_DOS_DESTINATION};

// Pieces of 1 MiB: each read and write is a call into the system, and in pieces of 256 KiB
// those calls made a 64 MiB conversion a sixth slower; pieces of 2 MiB gained nothing more.
const DWORD kChunk = 1 << 20;

// Returns the message for what failed, or null.
const char* copyConverted(HANDLE source, HANDLE destination, bool unix, const Messages& m)
{
    LONGLONG size;
    if (!GetFileSize64(source, size))
        return m.readSource;
    char* in = pieceMemory(3 * kChunk + 16);  // the piece read, then its converted form
    char* out = in + kChunk;
    for (LONGLONG remaining = size; remaining > 0;) {
        DWORD want = remaining < kChunk ? static_cast<DWORD>(remaining) : kChunk, got = 0;
        if (!ReadFile(source, in, want, &got, nullptr) || got != want)
            return m.readSource;
        DWORD n = static_cast<DWORD>(unix ? toUnixText(in, got, out) : toDosText(in, got, out));
        DWORD written = 0;
        if (!WriteFile(destination, out, n, &written, nullptr) || written != n)
            return m.writeDestination;
        remaining -= got;
    }
    return nullptr;
}

int convertFile(struct resbuf* args, bool unix, const Messages& m)
{
    Args given(args);  // "in" is the source file
    char source[260], destination[260], fullSource[260], fullDestination[260];
    if (!given.path(source) || !given.path(destination) || !given.end())
        return stopped();
    if (namesDevice(source))
        return fail(m.openSource);  // as a missing file: a device is none
    if (!_fullpath(fullSource, source, sizeof fullSource) || !_fullpath(fullDestination, destination, sizeof fullDestination))
        return giveNil();
    // Writing is denied to others while the source is read, so a file is never its own
    // destination.
    // A failed write (a full disk) loses nothing the destination held: the converted text
    // replaces it only when whole.
    CReplacement replacement;  // made first, so it is removed after the files close
    CFile in, out;
    if (!openDiskFile(in, fullSource, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN))
        return fail(m.openSource);
    if (!replacement.Create(fullDestination))
        return fail(m.openDestination);
    if (!openDiskFile(out, replacement.Path(), GENERIC_WRITE | DELETE, 0, replacement.Disposition(),
                      FILE_ATTRIBUTE_NORMAL)) {
        replacement.NotMade();
        return fail(m.openDestination);
    }
    const char* failure;
    try {
        failure = copyConverted(in, out, unix, m);
    } catch (...) {
        traceException(unix ? "kel_dos2unix" : "kel_unix2dos");
        failure = m.readSource;  // no memory for the buffers
    }
    if (failure)
        return fail(failure);
    in.Close();
    if (!replacement.Commit(out))
        return fail(m.writeDestination);
    return giveString(fullDestination);
}

}  // namespace

int kelDos2unix(struct resbuf* args) { return convertFile(args, true, toUnix); }
int kelUnix2dos(struct resbuf* args) { return convertFile(args, false, toDos); }
