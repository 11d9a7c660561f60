// The loops that take sixteen bytes at once need SSE2, which every 64-bit x86 processor has.
// The 32-bit build is made for every i686 processor: there such a loop is compiled for SSE2
// alone (WIDE_CODE) and taken only when the processor says it has it; an older one takes the
// plain loop beside it. Pure: no system headers.
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>

#define KELMAR_WIDE 1
#define WIDE_CODE __attribute__((target("sse2")))

inline bool haveWide()
{
#if defined(__SSE2__)
    return true;
#else
    static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("sse2") != 0);
    return has;
#endif
}
#endif
