#pragma once

#include <QString>
#include <QStringList>
#include <QByteArrayView>
#include <QStringView>
#include <QVarLengthArray>
#include <cstring>
#include <memory>

// The record grammar separates fields with "~~" and has no escaping. A value that
// would break it (a "~~", a line break, a "~" at either end) is written as "~"
// followed by the value with "%", "~", CR and LF percent-encoded; every other value
// is written unchanged. Such a value always holds a "~", CR or LF, so its written form
// holds "%7E", "%0D" or "%0A" and no "~" after the first character: a field of another
// shape (a "~note" written by the Windows program) is read as it stands.
QString EncodeField(const QString &value);
// The same, appended to out as UTF-8.
void AppendEncodedField(QByteArray &out, QStringView value);
// The same for a value in UTF-8, written at to, which has room for EncodedFieldRoom bytes;
// gives the end of what was written.
inline char *WriteEncodedField(char *to, QByteArrayView utf8);
constexpr qsizetype EncodedFieldRoom(qsizetype utf8Size) { return 3 * utf8Size + 1; }
// WriteEncodedField for a value that holds a "~", CR or LF.
char *WriteMarkedField(char *to, QByteArrayView utf8);

namespace FieldBytes {
// Whether any byte of w is "~", CR or LF.
template<typename Word>
inline Word Marks(Word w)
{
    constexpr Word ones = Word(0x0101010101010101ULL);
    constexpr Word highs = Word(0x8080808080808080ULL);
    const Word tilde = w ^ (ones * Word('~'));
    const Word cr = w ^ (ones * Word('\r'));
    const Word lf = w ^ (ones * Word('\n'));
    return (((tilde - ones) & ~tilde) | ((cr - ones) & ~cr) | ((lf - ones) & ~lf)) & highs;
}
// Copies the n bytes at p to to, a word at a time (the last ones overlapping); gives
// whether any was a mark.
inline bool CopyLooking(char *to, const char *p, qsizetype n)
{
    if (n >= 8) {
        quint64 marks = 0;
        quint64 w;
        for (qsizetype i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&w, p + i, 8);
            std::memcpy(to + i, &w, 8);
            marks |= Marks(w);
        }
        std::memcpy(&w, p + n - 8, 8);
        std::memcpy(to + n - 8, &w, 8);
        return (marks | Marks(w)) != 0;
    }
    if (n >= 4) {
        quint32 a;
        quint32 b;
        std::memcpy(&a, p, 4);
        std::memcpy(&b, p + n - 4, 4);
        std::memcpy(to, &a, 4);
        std::memcpy(to + n - 4, &b, 4);
        return (Marks(a) | Marks(b)) != 0;
    }
    bool marks = false;
    for (qsizetype i = 0; i < n; ++i) {
        to[i] = p[i];
        marks |= p[i] == '~' || p[i] == '\r' || p[i] == '\n';
    }
    return marks;
}
} // namespace FieldBytes

inline char *WriteEncodedField(char *to, QByteArrayView utf8)
{
    // Most fields hold no "~", CR or LF at all: copied as they stand while looked at.
    if (!FieldBytes::CopyLooking(to, utf8.data(), utf8.size()))
        return to + utf8.size();
    return WriteMarkedField(to, utf8);
}
// Bytes appended to out (which they are no part of): cheaper than QByteArray::append,
// which first makes ready for a view into out itself; records are built of many short pieces.
inline void AppendBytes(QByteArray &out, const char *bytes, qsizetype n)
{
    if (n <= 0)
        return;
    const qsizetype at = out.size();
    out.resize(at + n);
    std::memcpy(out.data() + at, bytes, size_t(n));
}
template<size_t N>
inline void AppendBytes(QByteArray &out, const char (&literal)[N])
{
    AppendBytes(out, literal, qsizetype(N - 1));
}
// A decimal number appended to out.
void AppendNumber(QByteArray &out, qint64 n);
// The same written backwards so that it ends at end; gives where it begins (at most 20
// bytes before end).
char *WriteNumberBefore(char *end, qint64 n);
// Text appended to out as UTF-8; plain ASCII is narrowed straight in.
void AppendUtf8(QByteArray &out, QStringView text);
QString DecodeField(const QString &field);

// Appends the "~~"-separated fields of s to list: n separators give n + 1 fields.
void SplitFields(const QString &s, QStringList &list);
using FieldViews = QVarLengthArray<QStringView, 16>;
// The same without copies: the views point into s.
void SplitFieldViews(QStringView s, FieldViews &views);
class FieldPool;
// Splits a record line and decodes each field; plain fields are shared through the pool
// when one is given.
QStringList SplitDecoded(QStringView s, FieldPool *pool = nullptr);
inline QStringList SplitDecoded(const QString &s, FieldPool *pool = nullptr)
{
    return SplitDecoded(QStringView(s), pool);
}
// One field's value as read from a record line.
QString FieldValue(QStringView field, FieldPool *pool = nullptr);

// Reads a decimal int as QString::toInt does: ASCII blanks around it, an optional sign,
// digits, in range. A load reads one for every record.
bool ParseInt(QStringView text, int &value);

// The decimal categories field of a data line at index; 0 when missing or unreadable.
qint32 CategoriesAt(const QStringList &fields, qsizetype index);
qint32 CategoriesAt(const FieldViews &fields, qsizetype index);

// A short field text equal to one read before through the same pool shares that text
// instead of holding a copy of its own: a large file repeats "Home", "Work", towns, first
// names and the like many thousand times. Each database keeps one (DatabaseContext::Pool).
class FieldPool
{
public:
    FieldPool();
    ~FieldPool();
    FieldPool(const FieldPool &) = delete;
    FieldPool &operator=(const FieldPool &) = delete;

    QString Take(QStringView text);

private:
    // A direct-mapped cache: a text replaces whatever shared its slot, so frequent
    // texts stay and unique ones pass through without growing anything.
    static constexpr size_t kSlots = 4096;
    std::unique_ptr<QString[]> m_slots;
};
