#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The header lines of a response, continuation lines joined to their field.
class HttpHeaders
{
public:
    void Clear() { m_lines.clear(); }
    bool IsEmpty() const { return m_lines.isEmpty(); }
    const QList<QByteArray> &Lines() const { return m_lines; }
    void Append(const QByteArray &line) { m_lines.append(line); }
    // A line that began with a blank continues the one before.
    bool Continue(const QByteArray &more);

    // The value of the first field of that name (case-insensitive), trimmed; empty
    // when there is none.
    QByteArray Value(QByteArrayView name) const;
    bool Has(QByteArrayView name) const;
    // Every value of that name, in order.
    QList<QByteArray> Values(QByteArrayView name) const;

private:
    QList<QByteArray> m_lines;
};

// Reads one response as its bytes arrive, strictly and within limits: a status line,
// header lines, then a body framed by chunks, by Content-Length or by the end of the
// connection. Anything malformed, too long or cut short throws ESocketError.
class HttpResponseParser
{
public:
    struct Limits
    {
        qsizetype lineBytes = 8192;
        qsizetype headerBytes = 64 * 1024;
        qint64 bodyBytes = 64 * 1024 * 1024;
    };

    explicit HttpResponseParser(bool headRequest, Limits limits);
    HttpResponseParser(bool headRequest) : HttpResponseParser(headRequest, Limits()) {}

    // Takes the next bytes; true once the response is whole (bytes after it are ignored).
    bool Feed(QByteArrayView bytes);
    // The server closed the connection: ends a body read to the close, and throws
    // when the response is not whole.
    void Finish();
    bool Done() const { return m_state == State::Done; }
    bool HeadersDone() const { return m_state > State::Headers; }

    int Status() const { return m_status; }
    const QByteArray &StatusLine() const { return m_statusLine; }
    const HttpHeaders &Headers() const { return m_headers; }
    const QByteArray &Body() const { return m_body; }
    // The body's length as the server announced it; -1 when it did not.
    qint64 ExpectedLength() const { return m_expected; }

private:
    enum class State { StatusLine, Headers, ChunkSize, ChunkData, ChunkEnd, Trailers, Body, BodyToClose, Done };

    bool takeLine(QByteArray &line);
    void onStatusLine(const QByteArray &line);
    void onHeaderLine(const QByteArray &line);
    void headersEnded();
    void onChunkSize(const QByteArray &line);
    void appendBody(QByteArrayView bytes);

    bool m_head;
    Limits m_limits;
    State m_state = State::StatusLine;
    QByteArray m_pending;
    qsizetype m_headerBytes = 0;
    int m_status = -1;
    QByteArray m_statusLine;
    HttpHeaders m_headers;
    QByteArray m_body;
    qint64 m_expected = -1;
    qint64 m_chunkLeft = 0;
};
