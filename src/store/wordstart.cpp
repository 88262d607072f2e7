#include "wordstart.h"

namespace {

template <typename Char>
bool isAscii(const Char *p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i)
        if (char16_t(p[i]) >= 0x80)
            return false;
    return true;
}

inline char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

// key is in lower case already; s is plain ASCII.
template <typename Char>
bool asciiWordStart(const Char *s, qsizetype n, const QByteArray &key)
{
    const qsizetype k = key.size();
    for (qsizetype at = 0; at + k <= n; ++at) {
        if (at > 0 && s[at - 1] != ' ')
            continue;
        qsizetype i = 0;
        while (i < k && asciiLower(char16_t(s[at + i])) == char16_t(key[i]))
            ++i;
        if (i == k)
            return true;
    }
    return false;
}

} // namespace

WordStart::WordStart(const QString &text) : m_lower(text.toLower())
{
    if (isAscii(m_lower.utf16(), m_lower.size()))
        m_ascii = m_lower.toLatin1();
}

bool WordStart::Matches(QStringView title) const
{
    if (m_lower.isEmpty())
        return false;
    if (isAscii(title.utf16(), title.size()))
        // The lower case of plain ASCII is plain ASCII: a text with other letters is not in it.
        return !m_ascii.isEmpty() && asciiWordStart(title.utf16(), title.size(), m_ascii);
    const QString lower = title.toString().toLower();
    for (qsizetype from = 0;;) {
        const qsizetype at = lower.indexOf(m_lower, from);
        if (at < 0)
            return false;
        if (at == 0 || lower.at(at - 1) == u' ')
            return true;
        from = at + 1;
    }
}

WordStart::ByteAnswer WordStart::MatchesAscii(const char *begin, const char *end) const
{
    if (!isAscii(begin, end - begin))
        return ByteAnswer::Decode;
    if (m_ascii.isEmpty())
        return ByteAnswer::No;
    return asciiWordStart(begin, end - begin, m_ascii) ? ByteAnswer::Yes : ByteAnswer::No;
}
