#include "taghttp.h"

#include "httperrors.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QScopeGuard>
#include <QSslSocket>
#include <QTimer>
#include <memory>

namespace {

// The socket layer's words for what the socket reports.
QString socketErrorText(QAbstractSocket::SocketError error, const QString &detail)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
        return HttpErrors::Text(HttpErrors::ConnectionRefused);
    case QAbstractSocket::RemoteHostClosedError:
        return HttpErrors::Text(HttpErrors::ConnectionReset);
    case QAbstractSocket::HostNotFoundError:
        return HttpErrors::Text(HttpErrors::HostNotFound);
    case QAbstractSocket::SocketTimeoutError:
        return HttpErrors::Text(HttpErrors::ConnectionTimedOut);
    case QAbstractSocket::NetworkError:
        return HttpErrors::Text(HttpErrors::NetworkUnreachable);
    case QAbstractSocket::SslHandshakeFailedError:
        return QStringLiteral("Secure connection failed: %1").arg(detail);
    default:
        return detail;
    }
}

// This machine is reached directly, whatever the proxy.
bool isLoopback(const QString &host)
{
    return host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 || host == QLatin1String("::1") ||
           host.startsWith(QLatin1String("127."));
}

} // namespace

TagHTTP::TagHTTP(QObject *parent) : QObject(parent) {}

TagHTTP::~TagHTTP() = default;

void TagHTTP::SetURL(const QString &url)
{
    m_parsed = HttpUrl::Parse(url);
    m_url = url;
}

void TagHTTP::SetProxy(const QString &proxy)
{
    if (proxy.trimmed().isEmpty())
        m_proxy.reset();
    else
        m_proxy = HttpProxy::Parse(proxy);
}

bool TagHTTP::usesProxy() const { return m_proxy && m_parsed && !isLoopback(m_parsed->host); }

int TagHTTP::Get() { return request("GET"); }

int TagHTTP::Head() { return request("HEAD"); }

void TagHTTP::Cancel()
{
    if (m_cancel)
        m_cancel();
}

QByteArray TagHTTP::RequestBytes(const char *method) const
{
    if (!m_parsed)
        throw ESocketError(HttpErrors::Text(HttpErrors::InvalidUrl));
    // A plain request through a proxy names the whole address; Host always names
    // the server the address is on.
    const bool absolute = usesProxy() && !m_parsed->tls;
    QByteArray r = QByteArray(method) + ' ' + (absolute ? m_parsed->absoluteForm() : m_parsed->target) + " HTTP/1.1\r\n";
    r += "Host: " + m_parsed->authority + "\r\n";
    r += "Accept: */*\r\n";
    r += "Connection: close\r\n";
    r += "\r\n";
    return r;
}

int TagHTTP::request(const char *method)
{
    if (m_busy)
        throw ESocketError(HttpErrors::Text(57009));
    const QByteArray requestBytes = RequestBytes(method);
    const HttpUrl url = *m_parsed;
    const bool viaProxy = usesProxy();
    const bool tunnel = viaProxy && url.tls;
    if (url.tls && !QSslSocket::supportsSsl())
        throw ESocketError(QStringLiteral("Secure connections are not available on this system"));

    m_headers.Clear();
    m_body.clear();
    m_statusLine.clear();
    m_busy = true;
    emit busyChanged(true);
    const auto idle = qScopeGuard([this] {
        m_cancel = nullptr;
        m_busy = false;
        emit busyChanged(false);
    });

    auto socket = std::make_unique<QSslSocket>();
    socket->setProxy(QNetworkProxy::NoProxy);
    if (TlsConfiguration)
        socket->setSslConfiguration(*TlsConfiguration);
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);

    enum class Failure { None, Socket, TimedOut, Canceled };
    Failure failure = Failure::None;
    QString failureText;
    bool finished = false;
    const auto finish = [&](Failure f, const QString &text) {
        if (finished)
            return;
        finished = true;
        failure = f;
        failureText = text;
        loop.quit();
    };

    HttpResponseParser parser(std::string_view(method) == "HEAD", Limits);
    HttpResponseParser tunnelParser(true, Limits);
    bool inTunnel = tunnel;
    const QByteArray connectTarget =
        (url.host.contains(u':') ? '[' + url.host.toLatin1() + ']' : url.host.toLatin1()) + ':' + QByteArray::number(url.port);
    qint64 lastPercent = -1;

    // Everything that reads the answer may throw; the event loop must not see it.
    const auto guarded = [&](const std::function<void()> &step) {
        try {
            step();
        } catch (const std::exception &e) {
            finish(Failure::Socket, QString::fromUtf8(e.what()));
        }
    };
    const auto sendRequest = [&] { socket->write(requestBytes); };
    const auto feed = [&] {
        const QByteArray bytes = socket->readAll();
        if (bytes.isEmpty() || finished)
            return;
        if (inTunnel) {
            if (!tunnelParser.Feed(bytes))
                return;
            if (tunnelParser.Status() < 200 || tunnelParser.Status() > 299)
                throw ESocketError(QStringLiteral("The proxy refused the connection: %1")
                                       .arg(QString::fromLatin1(tunnelParser.StatusLine())));
            inTunnel = false;
            socket->startClientEncryption();
            return;
        }
        if (parser.Feed(bytes)) {
            finish(Failure::None, {});
            return;
        }
        if (parser.ExpectedLength() > 0) {
            const qint64 percent = qint64(parser.Body().size()) * 100 / parser.ExpectedLength();
            if (percent != lastPercent)
                emit progress(int(lastPercent = percent));
        }
    };

    connect(socket.get(), &QAbstractSocket::connected, &loop, [&] {
        if (tunnel)
            socket->write("CONNECT " + connectTarget + " HTTP/1.1\r\nHost: " + connectTarget + "\r\n\r\n");
        else if (url.tls)
            socket->startClientEncryption();
        else
            sendRequest();
    });
    connect(socket.get(), &QSslSocket::encrypted, &loop, sendRequest);
    connect(socket.get(), &QIODevice::readyRead, &loop, [&] { guarded(feed); });
    connect(socket.get(), &QAbstractSocket::disconnected, &loop, [&] {
        guarded([&] {
            feed();
            if (finished)
                return;
            if (inTunnel)
                throw ESocketError(HttpErrors::Text(HttpErrors::ConnectionReset));
            parser.Finish();
            finish(Failure::None, {});
        });
    });
    connect(socket.get(), &QAbstractSocket::errorOccurred, &loop, [&](QAbstractSocket::SocketError error) {
        // A close is read to its end by the disconnect above.
        if (error == QAbstractSocket::RemoteHostClosedError && socket->state() != QAbstractSocket::UnconnectedState)
            return;
        if (error == QAbstractSocket::RemoteHostClosedError) {
            guarded([&] {
                feed();
                if (!finished) {
                    parser.Finish();
                    finish(Failure::None, {});
                }
            });
            return;
        }
        finish(Failure::Socket, socketErrorText(error, socket->errorString()));
    });
    connect(&deadline, &QTimer::timeout, &loop,
            [&] { finish(Failure::TimedOut, HttpErrors::Text(HttpErrors::TimedOut)); });
    m_cancel = [&] { finish(Failure::Canceled, HttpErrors::Text(HttpErrors::Canceled)); };

    deadline.start(std::chrono::seconds(qMax(1, TimeOut)));
    if (url.tls)
        socket->setPeerVerifyName(url.host);
    if (viaProxy)
        socket->connectToHost(m_proxy->host, m_proxy->port);
    else
        socket->connectToHost(url.host, url.port);
    if (!finished)
        loop.exec();
    socket->disconnect(&loop);
    socket->abort();

    switch (failure) {
    case Failure::TimedOut:
        throw ETimedOutError(failureText);
    case Failure::Canceled:
        throw ECanceledError(failureText);
    case Failure::Socket:
        throw ESocketError(failureText);
    case Failure::None:
        break;
    }
    m_statusLine = parser.StatusLine();
    m_headers = parser.Headers();
    m_body = parser.Body();
    return parser.Status();
}
