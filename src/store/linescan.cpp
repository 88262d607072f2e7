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

// Pairs "~" marks left to right without overlap: "~~~" holds one separator, "~~~~" two.
struct SeparatorCounter
{
    explicit SeparatorCounter(const char *start) : lastField(start) {}
    const char *waiting = nullptr;
    int count = 0;
    const char *lastField;
    void tilde(const char *at)
    {
        if (waiting && at == waiting + 1) {
            ++count;
            lastField = at + 1;
            waiting = nullptr;
        } else {
            waiting = at;
        }
    }
};
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
    SeparatorCounter seps(p);
#if defined(__SSE2__)
    for (; end - p >= kLane; p += kLane) {
        const __m128i v = load(p);
        const unsigned lineEnd = lineEndMask(v);
        unsigned tildes = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8('~'))));
        if (lineEnd)
            tildes &= (1u << __builtin_ctz(lineEnd)) - 1;
        for (; tildes; tildes &= tildes - 1)
            seps.tilde(p + __builtin_ctz(tildes));
        if (lineEnd)
            return {p + __builtin_ctz(lineEnd), seps.count, seps.lastField};
    }
#endif
    for (; p < end && *p != '\r' && *p != '\n'; ++p)
        if (*p == '~')
            seps.tilde(p);
    return {p, seps.count, seps.lastField};
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
    for (; p + 1 < end; ++p) {
        if (p[0] == '~' && p[1] == '~') {
            fields.append({start, p});
            start = p + 2;
            ++p;
        }
    }
    fields.append({start, end});
}

} // namespace LineScan
