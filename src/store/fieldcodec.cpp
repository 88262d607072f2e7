#include "fieldcodec.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <type_traits>

namespace {

// Narrows text to "to" when it is plain ASCII with no "~", CR or LF, the shape most fields
// have; false for any other, "to" then holding what it may.
bool narrowPlain(const char16_t *p, qsizetype n, char *to)
{
    qsizetype i = 0;
    char16_t any = 0;
    bool special = false;
#if defined(__SSE2__)
    // Eight characters at a time: a large import or export writes millions of fields.
    const __m128i high = _mm_set1_epi16(short(0xFF80));
    const __m128i tilde = _mm_set1_epi16(short(u'~'));
    const __m128i cr = _mm_set1_epi16(short(u'\r'));
    const __m128i lf = _mm_set1_epi16(short(u'\n'));
    __m128i wide = _mm_setzero_si128();
    __m128i marks = _mm_setzero_si128();
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        wide = _mm_or_si128(wide, _mm_and_si128(v, high));
        marks = _mm_or_si128(marks, _mm_or_si128(_mm_cmpeq_epi16(v, tilde),
                                                 _mm_or_si128(_mm_cmpeq_epi16(v, cr), _mm_cmpeq_epi16(v, lf))));
        _mm_storel_epi64(reinterpret_cast<__m128i *>(to + i), _mm_packus_epi16(v, v));
    }
    if (_mm_movemask_epi8(_mm_or_si128(wide, marks)) != 0)
        return false;
#endif
    for (; i < n; ++i) {
        const char16_t c = p[i];
        any |= c;
        special |= (c == u'~') | (c == u'\r') | (c == u'\n');
        to[i] = char(c);
    }
    return any < 0x80 && !special;
}

// Whether the value would break the grammar as it stands: the same for its UTF-16 text
// and its UTF-8 bytes, as every character it looks for is ASCII.
template<typename Char>
bool needsEncoding(const Char *p, qsizetype n)
{
    if (n == 0)
        return false;
    if (p[0] == Char('~') || p[n - 1] == Char('~'))
        return true;
    for (qsizetype i = 0; i < n; ++i) {
        const Char c = p[i];
        if (c == Char('\n') || c == Char('\r') || (c == Char('~') && i + 1 < n && p[i + 1] == Char('~')))
            return true;
    }
    return false;
}

bool needsEncoding(QStringView v) { return needsEncoding(v.utf16(), v.size()); }

// The written form of a value that needs it, each character or its escape handed to put.
template<typename Char, typename Put>
void encodeInto(const Char *p, qsizetype n, Put put)
{
    put("~", 1);
    for (qsizetype i = 0; i < n; ++i) {
        switch (p[i]) {
        case Char('%'): put("%25", 3); break;
        case Char('~'): put("%7E", 3); break;
        case Char('\r'): put("%0D", 3); break;
        case Char('\n'): put("%0A", 3); break;
        default: put(p + i);
        }
    }
}

int hexDigit(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

QString EncodeField(const QString &value)
{
    if (!needsEncoding(value))
        return value;
    QString out;
    out.reserve(value.size() + 8);
    encodeInto(value.utf16(), value.size(), [&out](const auto *piece, qsizetype n = 1) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(*piece)>, char>)
            out += QLatin1StringView(piece, n);
        else
            out += QChar(*piece);
    });
    return out;
}

char *WriteMarkedField(char *to, QByteArrayView utf8)
{
    const char *p = utf8.data();
    const qsizetype n = utf8.size();
    if (!needsEncoding(p, n)) {
        std::memcpy(to, p, size_t(n));
        return to + n;
    }
    encodeInto(p, n, [&to](const char *piece, qsizetype k = 1) {
        std::memcpy(to, piece, size_t(k));
        to += k;
    });
    return to;
}

void AppendUtf8(QByteArray &out, QStringView text)
{
    // Most text is plain ASCII: narrowed in place, in one pass.
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char *to = out.data() + start;
    const char16_t *from = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (from[i] >= 0x80) {
            out.resize(start + i);
            out += text.mid(i).toUtf8();
            return;
        }
        to[i] = char(from[i]);
    }
}

char *WriteNumberBefore(char *end, qint64 n)
{
    // Two digits at a time: every record's Id is written this way.
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    char *p = end;
    const bool negative = n < 0;
    quint64 u = negative ? quint64(0) - quint64(n) : quint64(n);
    while (u >= 100) {
        const size_t pair = size_t(u % 100) * 2;
        u /= 100;
        p -= 2;
        p[0] = kPairs[pair];
        p[1] = kPairs[pair + 1];
    }
    if (u >= 10) {
        p -= 2;
        p[0] = kPairs[u * 2];
        p[1] = kPairs[u * 2 + 1];
    } else {
        *--p = char('0' + u);
    }
    if (negative)
        *--p = '-';
    return p;
}

void AppendNumber(QByteArray &out, qint64 n)
{
    char digits[24];
    char *const end = digits + sizeof digits;
    const char *p = WriteNumberBefore(end, n);
    AppendBytes(out, p, end - p);
}

void AppendEncodedField(QByteArray &out, QStringView value)
{
    const qsizetype n = value.size();
    if (n == 0)
        return; // an empty field is written as nothing: records have many
    if (value.front() != u'~' && value.back() != u'~') {
        const qsizetype start = out.size();
        out.resize(start + n);
        if (narrowPlain(value.utf16(), n, out.data() + start))
            return;
        out.resize(start);
    }
    if (needsEncoding(value))
        out += EncodeField(value.toString()).toUtf8();
    else
        AppendUtf8(out, value);
}

namespace {
bool isEncoded(QStringView field)
{
    if (field.isEmpty() || field.front() != u'~' || field.indexOf(u'~', 1) >= 0)
        return false;
    for (const char *escape : {"%7E", "%0D", "%0A"})
        if (field.contains(QLatin1String(escape), Qt::CaseInsensitive))
            return true;
    return false;
}
} // namespace

QString DecodeField(const QString &field)
{
    if (!isEncoded(field))
        return field;
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 1; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c == u'%' && i + 2 < field.size() && hexDigit(field.at(i + 1)) >= 0 && hexDigit(field.at(i + 2)) >= 0) {
            out += QChar(hexDigit(field.at(i + 1)) * 16 + hexDigit(field.at(i + 2)));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

void SplitFields(const QString &s, QStringList &list)
{
    FieldViews views;
    SplitFieldViews(s, views);
    for (QStringView v : views)
        list.append(v.toString());
}

void SplitFieldViews(QStringView s, FieldViews &views)
{
    const QChar *p = s.data();
    const qsizetype n = s.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (p[i] == u'~' && p[i + 1] == u'~') {
            views.append(QStringView(p + start, i - start));
            start = i + 2;
            ++i;
        }
    }
    views.append(QStringView(p + start, n - start));
}

QString FieldValue(QStringView field, FieldPool *pool)
{
    if (!field.isEmpty() && field.front() == u'~')
        return DecodeField(field.toString());
    if (pool)
        return pool->Take(field);
    return field.toString();
}

QStringList SplitDecoded(QStringView s, FieldPool *pool)
{
    FieldViews views;
    SplitFieldViews(s, views);
    QStringList fields;
    fields.reserve(views.size());
    for (QStringView v : views)
        fields.append(FieldValue(v, pool));
    return fields;
}

bool ParseInt(QStringView text, int &value)
{
    const auto blank = [](char16_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const char16_t *p = text.utf16();
    const char16_t *end = p + text.size();
    while (p < end && blank(*p))
        ++p;
    while (end > p && blank(end[-1]))
        --end;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';
    if (p == end)
        return false;
    qint64 v = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return false;
        v = v * 10 + (*p - '0');
        if (v > qint64(1) << 31)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 0x7fffffff)
        return false;
    value = int(v);
    return true;
}

namespace {
// Longer texts are rarely repeated.
constexpr qsizetype kPooledLength = 24;
} // namespace

FieldPool::FieldPool() : m_slots(std::make_unique<QString[]>(kSlots)) {}

FieldPool::~FieldPool() = default;

QString FieldPool::Take(QStringView text)
{
    if (text.isEmpty())
        return QString();
    if (text.size() > kPooledLength)
        return text.toString();
    // A plain multiplicative hash: these texts are short and nobody chooses them to collide.
    size_t h = size_t(text.size());
    for (QChar c : text)
        h = h * 31 + c.unicode();
    QString &slot = m_slots[(h ^ (h >> 12)) % kSlots];
    if (slot != text)
        slot = text.toString();
    return slot;
}

qint32 CategoriesAt(const FieldViews &fields, qsizetype index)
{
    int categories = 0;
    return index < fields.size() && ParseInt(fields.at(index).trimmed(), categories) ? categories : 0;
}

qint32 CategoriesAt(const QStringList &fields, qsizetype index)
{
    int categories = 0;
    return index < fields.size() && ParseInt(QStringView(fields.at(index)).trimmed(), categories) ? categories : 0;
}
