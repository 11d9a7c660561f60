// The argument readers over any chain, into buffers of any size: no read or write beyond
// the buffer, and a string accepted only when it fits.
#include <cstdlib>
#include <cstring>

#include "args.h"
#include "chain.h"
#include "colors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBytes in(data, size);
    size_t bufferSize = 1 + in.byte() % 300;
    resbuf* chain = fuzzChain(in);
    char* buffer = static_cast<char*>(std::malloc(bufferSize));
    for (const resbuf* rb = chain;; rb = rb->rbnext) {
        int i;
        double d;
        char c;
        bool present;
        getIntArg(rb, i);
        getRealArg(rb, d);
        if (getStringArg(rb, buffer, bufferSize) && std::strlen(buffer) >= bufferSize)
            std::abort();
        if (getPathArg(rb, buffer, bufferSize) && std::strchr(buffer, '/'))
            std::abort();
        getCharArg(rb, c);
        getListBegin(rb);
        getStringOrNilArg(rb, buffer, bufferSize, present, "x");
        noMoreArgs(rb);
        int r, g, b;
        if (getRgbArg(rb, r, g, b) && nearestColorIndex(r, g, b) < 1)
            std::abort();
        if (!rb)
            break;
    }
    std::free(buffer);
    freeChain(chain);
    return 0;
}
