// The argument cursor's readers over any chain, each at every record, into buffers of any
// size: no read or write beyond the buffer, and a string accepted only when it fits.
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
        Args(rb).integer(i);
        Args(rb).real(d);
        if (Args(rb).string(buffer, bufferSize) && std::strlen(buffer) >= bufferSize)
            std::abort();
        if (Args(rb).path(buffer, bufferSize) && std::strchr(buffer, '/'))
            std::abort();
        Args(rb).drive(c);
        Args(rb).listBegin();
        Args(rb).stringOrNil(buffer, bufferSize, present, "x");
        Args(rb).end();
        int r, g, b;
        if (Args(rb).rgb(r, g, b) && nearestColorIndex(r, g, b) < 1)
            std::abort();
        if (!rb)
            break;
    }
    std::free(buffer);
    freeChain(chain);
    return 0;
}
