#include "htmlscan.h"

namespace {

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

bool isNameChar(QChar c) { return !isSpace(c) && c != u'>' && c != u'/' && c != u'=' && c != u'<'; }

QChar namedEntity(QStringView name)
{
    static const struct { const char *name; char16_t c; } entities[] = {
        {"amp", u'&'},     {"lt", u'<'},      {"gt", u'>'},      {"quot", u'"'},    {"apos", u'\''},
        {"nbsp", 0x00A0},  {"copy", 0x00A9},  {"reg", 0x00AE},   {"hellip", 0x2026}, {"ndash", 0x2013},
        {"mdash", 0x2014}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C}, {"rdquo", 0x201D},
        {"euro", 0x20AC},  {"auml", 0x00E4},  {"ouml", 0x00F6},  {"uuml", 0x00FC},  {"Auml", 0x00C4},
        {"Ouml", 0x00D6},  {"Uuml", 0x00DC},  {"szlig", 0x00DF}, {"eacute", 0x00E9}, {"egrave", 0x00E8},
        {"aacute", 0x00E1}, {"agrave", 0x00E0}, {"ccedil", 0x00E7}, {"ntilde", 0x00F1}, {"oacute", 0x00F3},
    };
    for (const auto &e : entities)
        if (name == QLatin1String(e.name))
            return QChar(e.c);
    return QChar();
}

} // namespace

QString DecodeHtmlEntities(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'&') {
            out += c;
            continue;
        }
        const qsizetype semi = text.indexOf(u';', i + 1);
        if (semi < 0 || semi - i > 12) {
            out += c;
            continue;
        }
        const QStringView name = text.sliced(i + 1, semi - i - 1);
        if (name.startsWith(u'#')) {
            bool ok = false;
            const uint code = name.size() > 1 && (name.at(1) == u'x' || name.at(1) == u'X') ? name.sliced(2).toUInt(&ok, 16)
                                                                                           : name.sliced(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
                out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
                i = semi;
                continue;
            }
        } else if (const QChar e = namedEntity(name); !e.isNull()) {
            out += e;
            i = semi;
            continue;
        }
        out += c;
    }
    return out;
}

HtmlScanner::Token HtmlScanner::Next()
{
    const qsizetype n = m_html.size();
    while (m_at < n) {
        if (m_html.at(m_at) != u'<') {
            const qsizetype start = m_at;
            while (m_at < n && m_html.at(m_at) != u'<')
                ++m_at;
            m_text = DecodeHtmlEntities(QStringView(m_html).sliced(start, m_at - start));
            return Token::Text;
        }
        if (QStringView(m_html).sliced(m_at).startsWith(u"<!--")) {
            const qsizetype end = m_html.indexOf(QLatin1String("-->"), m_at + 4);
            m_at = end < 0 ? n : end + 3;
            continue;
        }
        if (m_at + 1 < n && (m_html.at(m_at + 1) == u'!' || m_html.at(m_at + 1) == u'?')) {
            const qsizetype end = m_html.indexOf(u'>', m_at);
            m_at = end < 0 ? n : end + 1;
            continue;
        }
        const qsizetype after = m_at + 1 < n && m_html.at(m_at + 1) == u'/' ? m_at + 2 : m_at + 1;
        if (after >= n || !m_html.at(after).isLetter()) {
            // A "<" that opens no tag is text.
            m_text = QStringLiteral("<");
            ++m_at;
            return Token::Text;
        }
        readTag();
        return Token::Tag;
    }
    return Token::End;
}

void HtmlScanner::readTag()
{
    const qsizetype n = m_html.size();
    m_attributes.clear();
    ++m_at;
    m_closing = m_at < n && m_html.at(m_at) == u'/';
    if (m_closing)
        ++m_at;
    qsizetype start = m_at;
    while (m_at < n && isNameChar(m_html.at(m_at)))
        ++m_at;
    m_name = m_html.sliced(start, m_at - start).toLower();
    for (;;) {
        while (m_at < n && (isSpace(m_html.at(m_at)) || m_html.at(m_at) == u'/'))
            ++m_at;
        if (m_at >= n)
            return;
        if (m_html.at(m_at) == u'>') {
            ++m_at;
            return;
        }
        start = m_at;
        while (m_at < n && isNameChar(m_html.at(m_at)))
            ++m_at;
        if (m_at == start) {
            ++m_at; // a stray "=" or "<"
            continue;
        }
        const QString name = m_html.sliced(start, m_at - start).toLower();
        qsizetype look = m_at;
        while (look < n && isSpace(m_html.at(look)))
            ++look;
        QString value;
        if (look < n && m_html.at(look) == u'=') {
            m_at = look + 1;
            while (m_at < n && isSpace(m_html.at(m_at)))
                ++m_at;
            if (m_at < n && (m_html.at(m_at) == u'"' || m_html.at(m_at) == u'\'')) {
                const QChar quote = m_html.at(m_at++);
                qsizetype end = m_html.indexOf(quote, m_at);
                if (end < 0)
                    end = n;
                value = DecodeHtmlEntities(QStringView(m_html).sliced(m_at, end - m_at));
                m_at = qMin(end + 1, n);
            } else {
                start = m_at;
                while (m_at < n && !isSpace(m_html.at(m_at)) && m_html.at(m_at) != u'>')
                    ++m_at;
                value = DecodeHtmlEntities(QStringView(m_html).sliced(start, m_at - start));
            }
        }
        m_attributes.append({name, value});
    }
}

QString HtmlScanner::Attribute(const QString &lowerName) const
{
    for (const auto &a : m_attributes)
        if (a.first == lowerName)
            return a.second;
    return QString();
}
