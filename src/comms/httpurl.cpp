#include "httpurl.h"

#include "httperrors.h"

namespace {

[[noreturn]] void invalid() { throw ESocketError(HttpErrors::Text(HttpErrors::InvalidUrl)); }

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Characters a request target carries as they are; everything else is encoded.
bool keptInTarget(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    return QByteArrayView("-._~!$&'()*+,;=:@/?").contains(c);
}

QByteArray encodeTarget(const QByteArray &raw)
{
    QByteArray out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (keptInTarget(c)) {
            out += c;
        } else if (c == '%' && i + 2 < raw.size() && isHex(raw[i + 1]) && isHex(raw[i + 2])) {
            out += c; // already encoded
        } else {
            out += '%';
            out += QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper();
        }
    }
    return out;
}

quint16 parsePort(const QString &text)
{
    if (text.isEmpty() || text.size() > 5)
        invalid();
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            invalid();
    const int port = text.toInt();
    if (port < 1 || port > 65535)
        invalid();
    return quint16(port);
}

bool validHostName(const QString &host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    for (QChar c : host) {
        const bool ok = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                        c == u'-' || c == u'.' || c == u'_';
        if (!ok)
            return false;
    }
    return true;
}

bool validIPv6(const QString &host)
{
    if (host.isEmpty() || host.size() > 45)
        return false;
    for (QChar c : host)
        if (!(c.isDigit() || (c.toLower() >= u'a' && c.toLower() <= u'f') || c == u':' || c == u'.'))
            return false;
    return true;
}

// Host and port of "host[:port]" or "[v6][:port]"; port 0 when none was given.
void splitHostPort(const QString &authority, QString &host, quint16 &port)
{
    QString portText;
    bool hasPort = false;
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        if (close < 0)
            invalid();
        host = authority.mid(1, close - 1);
        const QString rest = authority.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(u':'))
                invalid();
            hasPort = true;
            portText = rest.mid(1);
        }
        if (!validIPv6(host))
            invalid();
    } else {
        const qsizetype colon = authority.indexOf(u':');
        host = colon < 0 ? authority : authority.left(colon);
        if (colon >= 0) {
            hasPort = true;
            portText = authority.mid(colon + 1);
        }
        if (!validHostName(host))
            invalid();
    }
    port = hasPort ? parsePort(portText) : 0;
}

} // namespace

HttpUrl HttpUrl::Parse(const QString &url)
{
    for (QChar c : url)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            invalid();
    HttpUrl u;
    QString rest;
    if (url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)) {
        rest = url.mid(7);
    } else if (url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        u.tls = true;
        rest = url.mid(8);
    } else {
        invalid();
    }
    qsizetype end = rest.size();
    for (QChar stop : {u'/', u'?', u'#'}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    const QString authority = rest.left(end);
    if (authority.contains(u'@') || authority.contains(u' ') || authority.contains(u'\\'))
        invalid();
    quint16 port = 0;
    splitHostPort(authority, u.host, port);
    u.port = port ? port : (u.tls ? 443 : 80);
    u.authority = authority.toLatin1();

    QString target = rest.mid(end);
    const qsizetype hash = target.indexOf(u'#');
    if (hash >= 0)
        target.truncate(hash);
    if (target.startsWith(u'?'))
        target.prepend(u'/');
    u.target = target.isEmpty() ? QByteArray("/") : encodeTarget(target.toUtf8());
    return u;
}

QByteArray HttpUrl::absoluteForm() const
{
    return (tls ? QByteArray("https://") : QByteArray("http://")) + authority + target;
}

HttpProxy HttpProxy::Parse(const QString &proxy)
{
    const QString text = proxy.trimmed();
    if (!text.contains(u':'))
        throw ESocketError(HttpErrors::Text(HttpErrors::ProxyPortRequired));
    for (QChar c : text)
        if (c.unicode() <= 0x20 || c.unicode() == 0x7f || c == u'@' || c == u'/')
            invalid();
    HttpProxy p;
    quint16 port = 0;
    splitHostPort(text, p.host, port);
    if (!port)
        throw ESocketError(HttpErrors::Text(HttpErrors::ProxyPortRequired));
    p.port = port;
    return p;
}
