// kel_dwgver: which release wrote a drawing file, from its first six bytes.
#include <windows.h>

#include <cstdlib>

#include "adslib.h"
#include "args.h"
#include "diskfile.h"
#include "dwgvercore.h"
#include "handlers.h"
#include "messages.h"
#include "paths.h"
#include "results.h"

namespace {

// The first six bytes of a file on disk.
bool readCode(const char* path, char (&code)[7])
{
    CFile f;
    if (!openDiskFile(f, path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL))
        return false;
    DWORD n = 0;
    return f.Read(code, 6, n) && n == 6;
}

}  // namespace

int kelDwgver(struct resbuf* args)
{
    char path[260], full[260];
    if (!Args(args).path(path))
        return stopped();  // later arguments are not examined
    char code[7] = {};
    // A device is no drawing, as a missing file is none.
    if (!namesDevice(path)) {
        if (!_fullpath(full, path, sizeof full))
            return giveNil();  // no absolute form within a path buffer: never a cut path
        if (readCode(full, code))
            return giveString(dwgVersionName(code));
    }
    return fail(MSG_CANNOT_READ_DRAWING);
}
