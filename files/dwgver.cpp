// kel_dwgver: which release wrote a drawing file, from its first six bytes.
#include <cstdio>
#include <cstdlib>

#include "adslib.h"
#include "args.h"
#include "dwgversion.h"
#include "handlers.h"

int kelDwgver(struct resbuf* args)
{
    char path[260], full[260];
    if (!getPathArg(args, path))
        return RTNORM;  // later arguments are not examined
    if (!_fullpath(full, path, sizeof full))
        return acedRetNil(), RTNORM;  // no absolute form within a path buffer: never a cut path
    char code[7] = {};
    FILE* f = std::fopen(full, "rb");
    size_t n = f ? std::fread(code, 1, 6, f) : 0;
    if (f)
        std::fclose(f);
    if (n < 6)
        return report("Kelmar error: could not read drawing file.\n"), RTNORM;
    acedRetStr(dwgVersionName(code));
    return RTNORM;
}
