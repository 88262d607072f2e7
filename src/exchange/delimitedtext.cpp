#include "delimitedtext.h"

namespace {

class Parser
{
public:
    Parser(const QString &text, QChar separator) : m_text(text), m_sep(separator) {}

    // Reads the next record into fields; false at the end of the text.
    bool next(QStringList &fields, int &line, bool &unclosed)
    {
        unclosed = false;
        skipEmptyLines();
        if (m_at >= m_text.size())
            return false;
        line = m_line;
        fields.clear();
        for (;;) {
            QString field;
            const bool closed = readField(field);
            fields.append(field);
            if (!closed) {
                unclosed = true;
                return true;
            }
            if (m_at >= m_text.size())
                return true;
            const QChar c = m_text.at(m_at);
            if (c == m_sep) {
                ++m_at;
                continue;
            }
            endLine();
            return true;
        }
    }

private:
    bool atLineEnd() const { return m_text.at(m_at) == u'\n' || m_text.at(m_at) == u'\r'; }

    void endLine()
    {
        if (m_text.at(m_at) == u'\r' && m_at + 1 < m_text.size() && m_text.at(m_at + 1) == u'\n')
            ++m_at;
        ++m_at;
        ++m_line;
    }

    void skipEmptyLines()
    {
        while (m_at < m_text.size() && atLineEnd())
            endLine();
    }

    // One field up to (not including) a separator or line end. False when a quote runs
    // to the end of the text.
    bool readField(QString &field)
    {
        const qsizetype n = m_text.size();
        if (m_at < n && m_text.at(m_at) == u'"') {
            ++m_at;
            for (;;) {
                if (m_at >= n)
                    return false;
                const QChar c = m_text.at(m_at++);
                if (c == u'"') {
                    if (m_at < n && m_text.at(m_at) == u'"') {
                        field += u'"';
                        ++m_at;
                        continue;
                    }
                    break;
                }
                if (c == u'\n' || (c == u'\r' && !(m_at < n && m_text.at(m_at) == u'\n')))
                    ++m_line;
                field += c;
            }
            // Text after the closing quote (`"a"b`) is kept, as the programs that write it mean.
        }
        const qsizetype start = m_at;
        while (m_at < n && m_text.at(m_at) != m_sep && !atLineEnd())
            ++m_at;
        field += QStringView(m_text).sliced(start, m_at - start);
        return true;
    }

    const QString &m_text;
    const QChar m_sep;
    qsizetype m_at = 0;
    int m_line = 1;
};

} // namespace

DelimitedRecords ParseDelimited(const QString &text, QChar separator)
{
    DelimitedRecords out;
    Parser parser(text, separator);
    QStringList fields;
    int line = 0;
    bool unclosed = false;
    while (parser.next(fields, line, unclosed)) {
        if (unclosed) {
            out.unclosedQuote = true;
            out.unclosedLine = line;
            break;
        }
        out.records.append(fields);
        out.lines.append(line);
    }
    return out;
}

QStringList FirstDelimitedRecord(const QString &text, QChar separator)
{
    Parser parser(text, separator);
    QStringList fields;
    int line = 0;
    bool unclosed = false;
    if (!parser.next(fields, line, unclosed))
        return {};
    return fields;
}
