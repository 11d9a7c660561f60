#include "lineendscore.h"

#include <cstring>

#include "widecpu.h"

// Text is mostly bytes that pass unchanged: sixteen at a time are tested at once and, when
// none is a line end, moved whole; a piece that holds line ends is moved as the runs between
// them, each run by one sixteen-byte move (what it moves past the run's end is written over
// by the next).
#if defined(KELMAR_WIDE)
namespace {

const size_t kWide = 16;

// Moves the whole sixteen-byte pieces of in to out and returns how many bytes they held. Each
// byte equal to a or b is handed to atLineEnd, which writes what goes before it and says
// whether the byte itself is dropped.
template <typename AtLineEnd>
WIDE_CODE size_t convertPieces(const char* in, size_t n, char*& out, __m128i a, __m128i b, AtLineEnd atLineEnd)
{
    char* o = out;  // a local: stores through a char pointer could change a referenced one
    alignas(16) char piece[2 * kWide];
    size_t k = 0;
    for (; k + kWide <= n; k += kWide) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + k));
        int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, a), _mm_cmpeq_epi8(v, b)));
        if (mask == 0) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(o), v);
            o += kWide;
            continue;
        }
        // The runs move from the input itself: a move from the copy just stored waits for the
        // store. Only the last pieces, whose moves reach up to 16 bytes past them, move from
        // the copy.
        const char* from = in + k;
        if (k + 2 * kWide > n) {
            _mm_store_si128(reinterpret_cast<__m128i*>(piece), v);
            from = piece;
        }
        int start = 0;
        for (; mask; mask &= mask - 1) {
            int end = __builtin_ctz(static_cast<unsigned>(mask));
            std::memcpy(o, from + start, kWide);
            o += end - start;
            start = end + (atLineEnd(o) ? 1 : 0);
        }
        std::memcpy(o, from + start, kWide);
        o += kWide - start;
    }
    out = o;
    return k;
}

WIDE_CODE size_t toUnixPieces(const char* in, size_t n, char*& out)
{
    return convertPieces(in, n, out, _mm_set1_epi8(13), _mm_set1_epi8(26), [](char*&) { return true; });
}

WIDE_CODE size_t toDosPieces(const char* in, size_t n, char*& out)
{
    const __m128i lf = _mm_set1_epi8(10);
    return convertPieces(in, n, out, lf, lf, [](char*& at) {
        *at++ = 13;
        return false;  // the LF begins the next run
    });
}

}  // namespace
#endif

size_t toUnixText(const char* in, size_t n, char* out)
{
    char* o = out;
    size_t k = 0;
#if defined(KELMAR_WIDE)
    if (haveWide())
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
    if (haveWide())
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
