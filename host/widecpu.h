// The loops that take sixteen bytes at once need SSE2, which every 64-bit x86 processor has.
// The 32-bit build is made for every i686 processor: there such a loop is compiled for SSE2
// alone (WIDE_CODE) and taken only when the processor says it has it; an older one takes the
// plain loop beside it. A loop that also rearranges the bytes of a piece (pshufb) needs SSSE3,
// which neither build may assume: SHUFFLE_CODE and haveShuffle, in the same way. Pure: no
// system headers.
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#include <tmmintrin.h>

#define KELMAR_WIDE 1
#define WIDE_CODE __attribute__((target("sse2")))
#define SHUFFLE_CODE __attribute__((target("ssse3")))

inline bool haveWide()
{
#if defined(__SSE2__)
    return true;
#else
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("sse2") != 0);
    return has;
#endif
}

inline bool haveShuffle()
{
#if defined(__SSSE3__)
    return true;
#else
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3") != 0);
    return has;
#endif
}
#endif
