#include "textcodec.h"

#include <algorithm>
#include <cstring>

namespace {

// 0x80..0x9F of Windows-1252; the rest of the code page is Latin-1.
// The five unassigned bytes map to the C1 controls of the same value.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

bool isValidUtf8(const char *data, qsizetype n)
{
    // Checked in place: a database can be tens of megabytes.
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            // Runs of ASCII are passed eight bytes at a time.
            for (quint64 word; i + 8 <= n; i += 8) {
                std::memcpy(&word, p + i, 8);
                if (word & 0x8080808080808080ULL)
                    break;
            }
            continue;
        }
        int extra;
        unsigned min;
        unsigned cp;
        if ((c & 0xE0) == 0xC0) { extra = 1; min = 0x80; cp = c & 0x1F; }
        else if ((c & 0xF0) == 0xE0) { extra = 2; min = 0x800; cp = c & 0x0F; }
        else if ((c & 0xF8) == 0xF0) { extra = 3; min = 0x10000; cp = c & 0x07; }
        else return false;
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString decodeWindows1252(const char *p, qsizetype n)
{
    QString out;
    out.resize(n);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

QString decodeLinePart(const char *p, qsizetype n, bool lineUtf8)
{
    return lineUtf8 ? QString::fromUtf8(p, n) : decodeWindows1252(p, n);
}

QString decodeLocalText(const QByteArray &bytes)
{
    const qsizetype skip = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const char *p = bytes.constData() + skip;
    const char *end = bytes.constData() + bytes.size();
    if (isValidUtf8(p, end - p))
        return QString::fromUtf8(p, end - p);
    QString text;
    text.reserve(end - p);
    while (p < end) {
        // A CR or LF ends a line (both are ASCII, so CR LF may well be split between two).
        const char *lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r')
            ++lineEnd;
        lineEnd = std::min(lineEnd + 1, end);
        text += decodeLinePart(p, lineEnd - p, isValidUtf8(p, lineEnd - p));
        p = lineEnd;
    }
    return text;
}
