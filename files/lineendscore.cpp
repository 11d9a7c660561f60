#include "lineendscore.h"

#include "widecpu.h"

// Text is mostly bytes that pass unchanged: sixteen at a time are tested at once and, when
// none is a line end, moved whole. A piece that holds line ends is rearranged in one step, each
// half of it by a table indexed by which of its eight bytes are line ends: no loop over the line
// ends, and no branch that depends on where they fall.
#if defined(KELMAR_WIDE)
namespace {

const size_t kWide = 16;

// For DOS to UNIX: for each set of the eight bytes to drop, where each kept byte comes from,
// in order, and how many are kept.
struct Compaction {
    unsigned char from[256][8];
    unsigned char kept[256];
};

constexpr Compaction makeCompaction()
{
    Compaction t{};
    for (int drop = 0; drop < 256; ++drop) {
        int o = 0;
        for (int j = 0; j < 8; ++j)
            if (!(drop >> j & 1))
                t.from[drop][o++] = static_cast<unsigned char>(j);
        t.kept[drop] = static_cast<unsigned char>(o);
    }
    return t;
}

constexpr Compaction kCompaction = makeCompaction();

// For UNIX to DOS: for each set of the eight bytes that are LF, where each byte made comes from
// (0x80, a zero byte, in the place of each CR put before an LF), the CRs to fill those places
// with, and how many bytes are made.
struct Expansion {
    alignas(16) unsigned char from[256][16];
    alignas(16) unsigned char cr[256][16];
    unsigned char made[256];
};

constexpr Expansion makeExpansion()
{
    Expansion t{};
    for (int lf = 0; lf < 256; ++lf) {
        int o = 0;
        for (int j = 0; j < 8; ++j) {
            if (lf >> j & 1) {
                t.from[lf][o] = 0x80;
                t.cr[lf][o++] = 13;
            }
            t.from[lf][o++] = static_cast<unsigned char>(j);
        }
        t.made[lf] = static_cast<unsigned char>(o);
        for (; o < 16; ++o)
            t.from[lf][o] = 0x80;
    }
    return t;
}

constexpr Expansion kExpansion = makeExpansion();

// The converters of whole sixteen-byte pieces: each returns how many bytes of in it took and
// leaves out past what it wrote.
SHUFFLE_CODE size_t toUnixPieces(const char* in, size_t n, char*& out)
{
    const __m128i cr = _mm_set1_epi8(13), ctrlZ = _mm_set1_epi8(26), highHalf = _mm_set1_epi8(8);
    char* o = out;  // a local: stores through a char pointer could change a referenced one
    size_t k = 0;
    for (; k + kWide <= n; k += kWide) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        unsigned drop = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, ctrlZ))));
        if (drop == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
            o += kWide;
            continue;
        }
        unsigned low = drop & 255, high = drop >> 8;
        __m128i from = _mm_unpacklo_epi64(
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompaction.from[low])),
            _mm_add_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(kCompaction.from[high])), highHalf));
        __m128i kept = _mm_shuffle_epi8(v, from);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(o), kept);
        o += kCompaction.kept[low];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(o), _mm_unpackhi_epi64(kept, kept));
        o += kCompaction.kept[high];
    }
    out = o;
    return k;
}

// Writes the low eight bytes of v with a CR before each LF, lf saying which are LF; returns the
// end of what it wrote.
SHUFFLE_CODE inline char* putDosHalf(char* o, __m128i v, unsigned lf)
{
    __m128i made = _mm_or_si128(_mm_shuffle_epi8(v, _mm_load_si128(reinterpret_cast<const __m128i*>(kExpansion.from[lf]))),
                                _mm_load_si128(reinterpret_cast<const __m128i*>(kExpansion.cr[lf])));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), made);
    return o + kExpansion.made[lf];
}

SHUFFLE_CODE size_t toDosPieces(const char* in, size_t n, char*& out)
{
    const __m128i lf = _mm_set1_epi8(10);
    char* o = out;
    size_t k = 0;
    for (; k + kWide <= n; k += kWide) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        unsigned ends = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, lf)));
        if (ends == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
            o += kWide;
            continue;
        }
        o = putDosHalf(o, v, ends & 255);
        o = putDosHalf(o, _mm_unpackhi_epi64(v, v), ends >> 8);
    }
    out = o;
    return k;
}

}  // namespace
#endif

size_t toUnixText(const char* in, size_t n, char* out)
{
    char* o = out;
    size_t k = 0;
#if defined(KELMAR_WIDE)
    if (haveShuffle())
        k = toUnixPieces(in, n, o);
#endif
    for (; k < n; ++k) {
        char c = in[k];
        *o = c;
        o += c != 13 && c != 26;
    }
    return static_cast<size_t>(o - out);
}

size_t toDosText(const char* in, size_t n, char* out)
{
    char* o = out;
    size_t k = 0;
#if defined(KELMAR_WIDE)
    if (haveShuffle())
        k = toDosPieces(in, n, o);
#endif
    for (; k < n; ++k) {
        char c = in[k];
        *o = 13;
        o += c == 10;
        *o++ = c;
    }
    return static_cast<size_t>(o - out);
}
