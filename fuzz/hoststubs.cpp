// The host operations the pure code calls, for native fuzzing: results are dropped,
// printing is formatted and thrown away, records come from the heap.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "adslib.h"
#include "chain.h"
#include "palette.h"

int acutPrintf(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return n;
}

int acedRetNil() { return RTNORM; }
int acedRetT() { return RTNORM; }
int acedRetVoid() { return RTNORM; }
int acedRetStr(const char* s) { return (void)std::strlen(s), RTNORM; }
int acedRetInt(int) { return RTNORM; }
int acedRetReal(ads_real) { return RTNORM; }
int acedRetList(const struct resbuf* chain)
{
    for (; chain; chain = chain->rbnext)
        if (chain->restype == RTSTR)
            (void)std::strlen(chain->resval.rstring);
    return RTNORM;
}

unsigned long acedGetRGB(int colorIndex)
{
    return paletteColor(colorIndex);
}

struct resbuf* acutNewRb(int type)
{
    auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(struct resbuf* rb)
{
    freeChain(rb);
    return RTNORM;
}

// The shapes the builders use: strings, shorts, reals and the list marks.
struct resbuf* acutBuildList(int type, ...)
{
    va_list args;
    va_start(args, type);
    resbuf* head = nullptr;
    resbuf** link = &head;
    for (; type != 0; type = va_arg(args, int)) {
        resbuf* rb = acutNewRb(type);
        switch (type) {
        case RTSTR: {
            const char* s = va_arg(args, const char*);
            rb->resval.rstring = static_cast<char*>(std::malloc(std::strlen(s) + 1));
            std::strcpy(rb->resval.rstring, s);
            break;
        }
        case RTSHORT: rb->resval.rint = static_cast<short>(va_arg(args, int)); break;
        case RTLONG: rb->resval.rlong = va_arg(args, int32_t); break;
        case RTREAL: rb->resval.rreal = va_arg(args, double); break;
        default: break;
        }
        *link = rb;
        link = &rb->rbnext;
    }
    va_end(args);
    return head;
}
