// kel_dos2unix, kel_unix2dos: line ends converted from one convention to the other into a
// new file.
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "adslib.h"
#include "args.h"
#include "diskfile.h"
#include "handlers.h"
#include "paths.h"

namespace {

struct Messages {
    const char* openSource;
    const char* openDestination;
    const char* readSource;
    const char* writeDestination;
};

const Messages toUnix = {"Kelmar error: cannot open DOS source file.\n", "Kelmar error: cannot open UNIX destination file.\n",
                         "Kelmar error: cannot read DOS source file.\n", "Kelmar error: cannot write UNIX destination file.\n"};
const Messages toDos = {"Kelmar error: cannot open UNIX source file.\n", "Kelmar error: cannot open DOS destination file.\n",
                        "Kelmar error: cannot read UNIX source file.\n", "Kelmar error: cannot write DOS destination file.\n"};

const DWORD kChunk = 1 << 20;

// DOS to UNIX drops every CR and every Ctrl-Z; UNIX to DOS puts a CR before every LF.
size_t convert(const char* in, DWORD n, char* out, bool unix)
{
    char* o = out;
    for (DWORD k = 0; k < n; ++k) {
        char c = in[k];
        if (unix) {
            if (c != 13 && c != 26)
                *o++ = c;
        } else {
            if (c == 10)
                *o++ = 13;
            *o++ = c;
        }
    }
    return static_cast<size_t>(o - out);
}

// Returns the message for what failed, or null.
const char* copyConverted(HANDLE source, HANDLE destination, bool unix, const Messages& m)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(source, &size))
        return m.readSource;
    std::vector<char> in(kChunk), out(2 * kChunk);
    for (LONGLONG remaining = size.QuadPart; remaining > 0;) {
        DWORD want = remaining < kChunk ? static_cast<DWORD>(remaining) : kChunk, got = 0;
        if (!ReadFile(source, in.data(), want, &got, nullptr) || got != want)
            return m.readSource;
        DWORD n = static_cast<DWORD>(convert(in.data(), got, out.data(), unix)), written = 0;
        if (!WriteFile(destination, out.data(), n, &written, nullptr) || written != n)
            return m.writeDestination;
        remaining -= got;
    }
    return nullptr;
}

int convertFile(struct resbuf* args, bool unix, const Messages& m)
{
    char source[260], destination[260], fullSource[260], fullDestination[260];
    if (!getPathArg(args, source) || !getPathArg(args->rbnext, destination) || !noMoreArgs(args->rbnext->rbnext))
        return RTNORM;
    if (namesDevice(source))
        return report(m.openSource), RTNORM;  // as a missing file: a device is none
    if (!_fullpath(fullSource, source, sizeof fullSource) || !_fullpath(fullDestination, destination, sizeof fullDestination))
        return acedRetNil(), RTNORM;
    // Writing is denied to others while the source is read, so a file is never its own
    // destination.
    HANDLE in = openDiskFile(fullSource, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN);
    if (in == INVALID_HANDLE_VALUE)
        return report(m.openSource), RTNORM;
    HANDLE out = openDiskFile(fullDestination, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    if (out == INVALID_HANDLE_VALUE) {
        CloseHandle(in);
        return report(m.openDestination), RTNORM;
    }
    const char* failure;
    try {
        failure = copyConverted(in, out, unix, m);
    } catch (...) {
        failure = m.readSource;  // no memory for the buffers
    }
    CloseHandle(in);
    CloseHandle(out);
    if (failure)
        return report(failure), RTNORM;
    acedRetStr(fullDestination);
    return RTNORM;
}

}  // namespace

int kelDos2unix(struct resbuf* args) { return convertFile(args, true, toUnix); }
int kelUnix2dos(struct resbuf* args) { return convertFile(args, false, toDos); }
