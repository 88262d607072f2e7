#pragma once

#include "httpresponse.h"
#include "httpurl.h"

#include <QObject>
#include <QSslConfiguration>
#include <functional>
#include <optional>

// One HTTP/1.1 request at a time over a TCP (or TLS) socket, with the request bytes
// written here. While it waits the event loop keeps running, so the window stays
// responsive; Cancel() and the time-out end the wait. Failures throw ESocketError
// (ETimedOutError after TimeOut seconds, ECanceledError when cancelled).
class TagHTTP : public QObject
{
    Q_OBJECT
public:
    explicit TagHTTP(QObject *parent = nullptr);
    ~TagHTTP() override;

    // Throws "Invalid URL" for anything but a well-formed http(s) address.
    void SetURL(const QString &url);
    const QString &URL() const { return m_url; }
    // "host:port", or empty for none; addresses on this machine never go through it.
    // Throws "Proxy port is required" without a port.
    void SetProxy(const QString &proxy);

    // Seconds the whole request may take, from connecting to the last byte.
    int TimeOut = 60;
    HttpResponseParser::Limits Limits;
    // For tests and private servers: the TLS set-up of https requests.
    std::optional<QSslConfiguration> TlsConfiguration;

    // One request each; the status code of the answer.
    int Get();
    int Head();

    const HttpHeaders &Headers() const { return m_headers; }
    const QByteArray &Body() const { return m_body; }
    const QByteArray &StatusLine() const { return m_statusLine; }

    bool Busy() const { return m_busy; }
    // Ends a running request with ECanceledError; nothing when none runs.
    void Cancel();

    // The request as it goes on the wire (for the tests and for the proxy).
    QByteArray RequestBytes(const char *method) const;

signals:
    void busyChanged(bool busy);
    // Percent of an announced body received so far.
    void progress(int percent);

private:
    int request(const char *method);
    bool usesProxy() const;

    QString m_url;
    std::optional<HttpUrl> m_parsed;
    std::optional<HttpProxy> m_proxy;
    HttpHeaders m_headers;
    QByteArray m_body;
    QByteArray m_statusLine;
    bool m_busy = false;
    std::function<void()> m_cancel;
};
