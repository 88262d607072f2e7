#include "httpresponse.h"

#include "httperrors.h"

namespace {

[[noreturn]] void fail(const char *what) { throw ESocketError(QString::fromLatin1(what)); }

bool allDigits(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

QByteArray fieldName(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    return colon < 0 ? QByteArray() : line.left(colon).trimmed().toLower();
}

} // namespace

bool HttpHeaders::Continue(const QByteArray &more)
{
    if (m_lines.isEmpty())
        return false;
    m_lines.last() = m_lines.last().trimmed() + ' ' + more.trimmed();
    return true;
}

QList<QByteArray> HttpHeaders::Values(QByteArrayView name) const
{
    const QByteArray wanted = name.toByteArray().toLower();
    QList<QByteArray> values;
    for (const QByteArray &line : m_lines)
        if (fieldName(line) == wanted)
            values.append(line.mid(line.indexOf(':') + 1).trimmed());
    return values;
}

QByteArray HttpHeaders::Value(QByteArrayView name) const
{
    const QList<QByteArray> values = Values(name);
    return values.isEmpty() ? QByteArray() : values.first();
}

bool HttpHeaders::Has(QByteArrayView name) const { return !Values(name).isEmpty(); }

HttpResponseParser::HttpResponseParser(bool headRequest, Limits limits) : m_head(headRequest), m_limits(limits) {}

bool HttpResponseParser::takeLine(QByteArray &line)
{
    const qsizetype lf = m_pending.indexOf('\n');
    if (lf < 0) {
        if (m_pending.size() > m_limits.lineBytes)
            fail("Line too long in the server's response");
        return false;
    }
    if (lf > m_limits.lineBytes)
        fail("Line too long in the server's response");
    line = m_pending.left(lf);
    m_pending.remove(0, lf + 1);
    if (line.endsWith('\r'))
        line.chop(1);
    return true;
}

bool HttpResponseParser::Feed(QByteArrayView bytes)
{
    if (m_state == State::Done)
        return true;
    m_pending.append(bytes);
    for (;;) {
        switch (m_state) {
        case State::StatusLine:
        case State::Headers:
        case State::ChunkSize:
        case State::ChunkEnd:
        case State::Trailers: {
            QByteArray line;
            if (!takeLine(line))
                return false;
            if (m_state == State::StatusLine) {
                onStatusLine(line);
            } else if (m_state == State::Headers) {
                onHeaderLine(line);
            } else if (m_state == State::ChunkSize) {
                onChunkSize(line);
            } else if (m_state == State::ChunkEnd) {
                if (!line.isEmpty())
                    fail("Malformed chunk in the server's response");
                m_state = State::ChunkSize;
            } else if (line.isEmpty()) {
                m_state = State::Done;
            } else if ((m_headerBytes += line.size()) > m_limits.headerBytes) {
                fail("The server's response headers are too large");
            }
            break;
        }
        case State::ChunkData:
        case State::Body: {
            if (m_pending.isEmpty())
                return false;
            const qsizetype take = qsizetype(qMin<qint64>(m_chunkLeft, m_pending.size()));
            appendBody(QByteArrayView(m_pending).first(take));
            m_pending.remove(0, take);
            m_chunkLeft -= take;
            if (m_chunkLeft == 0)
                m_state = m_state == State::Body ? State::Done : State::ChunkEnd;
            break;
        }
        case State::BodyToClose:
            appendBody(m_pending);
            m_pending.clear();
            return false;
        case State::Done:
            m_pending.clear();
            return true;
        }
    }
}

void HttpResponseParser::onStatusLine(const QByteArray &line)
{
    // "HTTP/1.x 200 Reason"
    if (!line.startsWith("HTTP/1.") || line.size() < 12 || line[8] != ' ' || !allDigits(QByteArrayView(line).sliced(9, 3)) ||
        (line.size() > 12 && line[12] != ' '))
        fail("The server's response is not HTTP");
    m_statusLine = line;
    m_status = line.mid(9, 3).toInt();
    m_headerBytes = line.size();
    m_state = State::Headers;
}

void HttpResponseParser::onHeaderLine(const QByteArray &line)
{
    if (line.isEmpty()) {
        headersEnded();
        return;
    }
    if ((m_headerBytes += line.size()) > m_limits.headerBytes)
        fail("The server's response headers are too large");
    if (line.startsWith(' ') || line.startsWith('\t')) {
        if (!m_headers.Continue(line))
            fail("The server's response is not HTTP");
        return;
    }
    if (line.indexOf(':') <= 0)
        fail("Malformed header line in the server's response");
    m_headers.Append(line);
}

void HttpResponseParser::headersEnded()
{
    // An interim answer (100 Continue) is followed by the real one.
    if (m_status >= 100 && m_status < 200) {
        m_headers.Clear();
        m_state = State::StatusLine;
        return;
    }
    if (m_head || m_status == 204 || m_status == 304) {
        m_state = State::Done;
        return;
    }
    if (m_headers.Value("Transfer-Encoding").toLower().contains("chunked")) {
        m_state = State::ChunkSize;
        return;
    }
    const QList<QByteArray> lengths = m_headers.Values("Content-Length");
    if (lengths.isEmpty()) {
        m_state = State::BodyToClose;
        return;
    }
    for (const QByteArray &l : lengths)
        if (!allDigits(l) || l.size() > 18 || l != lengths.first())
            fail("Invalid Content-Length in the server's response");
    m_expected = lengths.first().toLongLong();
    if (m_expected > m_limits.bodyBytes)
        fail("The server's response is too large");
    m_chunkLeft = m_expected;
    m_state = m_expected == 0 ? State::Done : State::Body;
}

void HttpResponseParser::onChunkSize(const QByteArray &line)
{
    // Hex digits, then perhaps ";extension".
    QByteArray size = line;
    const qsizetype semi = size.indexOf(';');
    if (semi >= 0)
        size.truncate(semi);
    size = size.trimmed();
    if (size.isEmpty() || size.size() > 15)
        fail("Malformed chunk in the server's response");
    for (char c : size)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            fail("Malformed chunk in the server's response");
    const qint64 count = size.toLongLong(nullptr, 16);
    if (count > m_limits.bodyBytes - m_body.size())
        fail("The server's response is too large");
    if (count == 0) {
        m_state = State::Trailers;
        return;
    }
    m_chunkLeft = count;
    m_state = State::ChunkData;
}

void HttpResponseParser::appendBody(QByteArrayView bytes)
{
    if (m_body.size() + bytes.size() > m_limits.bodyBytes)
        fail("The server's response is too large");
    m_body.append(bytes);
}

void HttpResponseParser::Finish()
{
    if (m_state == State::BodyToClose) {
        m_state = State::Done;
        return;
    }
    if (m_state == State::Done)
        return;
    if (m_state == State::StatusLine && m_statusLine.isEmpty() && m_pending.isEmpty())
        fail("The server closed the connection without an answer");
    fail("The server closed the connection before the whole response arrived");
}
