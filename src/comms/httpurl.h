#pragma once

#include <QByteArray>
#include <QString>

// An "http://" or "https://" address taken apart for a request. Parsing checks what
// reaches the request line: no control characters, no user name, a valid port, and
// the path percent-encoded where it holds characters a request line cannot carry.
struct HttpUrl
{
    bool tls = false;
    QString host;      // without brackets for an IPv6 address
    quint16 port = 0;
    QByteArray authority; // host with its port when one was given: the Host header
    QByteArray target;    // path and query, encoded; "/" when empty

    // The whole address, encoded: the request target through a proxy.
    QByteArray absoluteForm() const;

    // Throws ESocketError("Invalid URL") for anything that is no such address.
    static HttpUrl Parse(const QString &url);
};

// A proxy as "host:port". Throws ESocketError "Proxy port is required" without a
// port, "Invalid URL" for a host or port that cannot be used.
struct HttpProxy
{
    QString host;
    quint16 port = 0;

    static HttpProxy Parse(const QString &proxy);
};
