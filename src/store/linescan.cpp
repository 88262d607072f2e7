#include "linescan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace LineScan {

namespace {
#if defined(__SSE2__)
constexpr qsizetype kLane = 16;

inline __m128i load(const char *p) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(p)); }

inline unsigned lineEndMask(__m128i v)
{
    const __m128i cr = _mm_cmpeq_epi8(v, _mm_set1_epi8('\r'));
    const __m128i lf = _mm_cmpeq_epi8(v, _mm_set1_epi8('\n'));
    return unsigned(_mm_movemask_epi8(_mm_or_si128(cr, lf)));
}
#endif

// Pairs "~" marks left to right without overlap, as the field splitter reads them:
// "~~~" holds one separator, "~~~~" two. Calls separator(first) for each pair.
template <typename Separator>
struct TildePairs
{
    Separator separator;
    const char *waiting = nullptr;
    void tilde(const char *at)
    {
        if (waiting && at == waiting + 1) {
            separator(waiting);
            waiting = nullptr;
        } else {
            waiting = at;
        }
    }
};

// Hands every "~" of [p, end) to pairs, up to the first line end when lineOnly;
// returns where it stopped.
template <bool lineOnly, typename Pairs>
const char *scanTildes(const char *p, const char *end, Pairs &pairs)
{
#if defined(__SSE2__)
    for (; end - p >= kLane; p += kLane) {
        const __m128i v = load(p);
        const unsigned lineEnd = lineOnly ? lineEndMask(v) : 0;
        unsigned tildes = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('~'))));
        if (lineEnd)
            tildes &= (1u << __builtin_ctz(lineEnd)) - 1;
        for (; tildes; tildes &= tildes - 1)
            pairs.tilde(p + __builtin_ctz(tildes));
        if (lineEnd)
            return p + __builtin_ctz(lineEnd);
    }
#endif
    for (; p < end && !(lineOnly && (*p == '\r' || *p == '\n')); ++p)
        if (*p == '~')
            pairs.tilde(p);
    return p;
}
} // namespace

const char *FindLineEnd(const char *p, const char *end)
{
#if defined(__SSE2__)
    for (; end - p >= kLane; p += kLane) {
        if (const unsigned m = lineEndMask(load(p)))
            return p + __builtin_ctz(m);
    }
#endif
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

HeaderLine ScanHeaderLine(const char *p, const char *end)
{
    int count = 0;
    const char *lastField = p;
    auto counted = [&](const char *at) {
        ++count;
        lastField = at + 2;
    };
    TildePairs<decltype(counted)> pairs{counted};
    const char *lineEnd = scanTildes<true>(p, end, pairs);
    return {lineEnd, count, lastField};
}

bool IsAscii(const char *p, qsizetype n)
{
    const char *end = p + n;
#if defined(__SSE2__)
    __m128i any = _mm_setzero_si128();
    for (; end - p >= kLane; p += kLane)
        any = _mm_or_si128(any, load(p));
    if (_mm_movemask_epi8(any))
        return false;
#endif
    for (; p < end; ++p)
        if (*p & 0x80)
            return false;
    return true;
}

void SplitFields(const char *p, const char *end, Fields &fields)
{
    const char *start = p;
    auto split = [&](const char *at) {
        fields.append({start, at});
        start = at + 2;
    };
    TildePairs<decltype(split)> pairs{split};
    scanTildes<false>(p, end, pairs);
    fields.append({start, end});
}

} // namespace LineScan
