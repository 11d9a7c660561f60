// kel_acitorgb, kel_rgbtoaci: colour indices and RGB colours, by the host's palette, which is
// asked at every use.
#include <climits>
#include <cstdint>

#include "adslib.h"
#include "args.h"
#include "colors.h"
#include "handlers.h"
#include "messages.h"
#include "results.h"
#include "widecpu.h"

namespace {

int red(unsigned long c) { return static_cast<int>(c & 0xFF); }
int green(unsigned long c) { return static_cast<int>((c >> 8) & 0xFF); }
int blue(unsigned long c) { return static_cast<int>((c >> 16) & 0xFF); }
int distance(int a, int b) { return a > b ? a - b : b - a; }

// A colour's distance and index in one number, distance x 256 + index: the least number is
// the nearest colour and, among equals, the lowest index.
unsigned rankOf(unsigned long c, int r, int g, int b, int index)
{
    unsigned d = static_cast<unsigned>(distance(red(c), r) + distance(green(c), g) + distance(blue(c), b));
    return d << 8 | static_cast<unsigned>(index);
}

#if defined(KELMAR_WIDE)
// The least rank of the first 252 colours, four at a time: each colour in a 64-bit lane of
// its own beside zero bytes, so that one sum of absolute byte differences (psadbw) is its
// distance.
WIDE_CODE unsigned leastRankWide(const uint32_t* colours, int r, int g, int b)
{
    const __m128i zero = _mm_setzero_si128(), rgb = _mm_set1_epi32(0x00FFFFFF);
    const int packed = r | g << 8 | b << 16;
    const __m128i target = _mm_set_epi32(0, packed, 0, packed), four = _mm_set1_epi32(4);
    __m128i index = _mm_set_epi32(4, 3, 2, 1), best = _mm_set1_epi32(INT_MAX);
    for (int k = 0; k < 252; k += 4) {
        __m128i c = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(colours + k)), rgb);
        __m128i low = _mm_sad_epu8(_mm_unpacklo_epi32(c, zero), target);
        __m128i high = _mm_sad_epu8(_mm_unpackhi_epi32(c, zero), target);
        __m128i d = _mm_castps_si128(
            _mm_shuffle_ps(_mm_castsi128_ps(low), _mm_castsi128_ps(high), _MM_SHUFFLE(2, 0, 2, 0)));
        __m128i rank = _mm_or_si128(_mm_slli_epi32(d, 8), index);
        __m128i less = _mm_cmplt_epi32(rank, best);
        best = _mm_or_si128(_mm_and_si128(less, rank), _mm_andnot_si128(less, best));
        index = _mm_add_epi32(index, four);
    }
    alignas(16) unsigned lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), best);
    unsigned least = lanes[0];
    for (unsigned lane : lanes)
        least = lane < least ? lane : least;
    return least;
}
#endif

}  // namespace

// The index 1 to 254 whose colour is nearest by city-block distance; ties to the lowest. The
// host is asked for every colour first, in a loop that does nothing else; the distances are
// figured after, four at a time where the processor can. Aligned so that the loop of host
// calls, most of a call's time, lies in one 64-byte line of code whatever is linked before
// it: moved across two by a change elsewhere in the module, it took a tenth longer. Two
// calls a turn: with one, some processors (an AMD EPYC here) took a quarter longer over the
// loop, its branch back as dear as the call.
__attribute__((aligned(64))) int nearestColorIndex(int r, int g, int b)
{
    uint32_t colours[254];  // 32 bits a colour, as the wide search loads them, on every system
    for (int k = 0; k < 254; k += 2) {
        colours[k] = static_cast<uint32_t>(acedGetRGB(k + 1));
        colours[k + 1] = static_cast<uint32_t>(acedGetRGB(k + 2));
    }
    unsigned best = UINT_MAX;
    int k = 0;
#if defined(KELMAR_WIDE)
    if (haveWide()) {
        best = leastRankWide(colours, r, g, b);
        k = 252;
    }
#endif
    for (; k < 254; ++k) {
        unsigned rank = rankOf(colours[k], r, g, b, k + 1);
        best = rank < best ? rank : best;
    }
    return static_cast<int>(best & 0xFF);
}

int kelAcitorgb(struct resbuf* args)
{
    Args in(args);
    int index;
    if (!in.integer(index) || !in.end())
        return stopped();
    if (index < 1 || index > 255)
        return giveNil();
    unsigned long c = acedGetRGB(index);
    resbuf* list = acutBuildList(RTSHORT, red(c), RTSHORT, green(c), RTSHORT, blue(c), 0);
    if (!list)
        return fail(MSG_NO_RESULT_BUFFER);
    return giveList(list);
}

int kelRgbtoaci(struct resbuf* args)
{
    Args in(args);
    int r = 0, g = 0, b = 0;
    if (!in.rgb(r, g, b) || !in.end())
        return stopped();
    return giveInt(nearestColorIndex(r, g, b));
}
