#include "httptransport.h"

#include "httperrors.h"
#include "taghttp.h"
#include "webfile.h"
#include "platform/profile.h"
#include "store/ranmar.h"

#include <QSaveFile>
#include <QScopeGuard>
#include <limits>

HttpTransport::HttpTransport(QObject *parent) : QObject(parent)
{
    proxy = [] { return Profile().readString(QStringLiteral("Internet"), QStringLiteral("Proxy")); };
}

HttpTransport::~HttpTransport() = default;

template <typename Call> auto HttpTransport::run(int timeOut, Call &&call)
{
    if (m_current)
        throw ESocketError(HttpErrors::Text(57009));
    TagHTTP http;
    http.SetProxy(proxy ? proxy() : QString());
    m_current = &http;
    emit busyChanged(true);
    const auto done = qScopeGuard([this] {
        m_current = nullptr;
        emit busyChanged(false);
    });
    return call(http, timeOut);
}

void HttpTransport::Cancel()
{
    if (m_current)
        m_current->Cancel();
}

double HttpTransport::SourceTime(const QString &url)
{
    return run(TimeOut, [&](TagHTTP &http, int timeOut) {
        TWebFile file(http, url);
        http.TimeOut = timeOut;
        const QDateTime modified = file.GetLastModified();
        return modified.isValid() ? ToDateTimeNumber(modified.toLocalTime()) : std::numeric_limits<double>::infinity();
    });
}

void HttpTransport::Fetch(const QString &url, const QString &toFile)
{
    run(TimeOut, [&](TagHTTP &http, int timeOut) {
        TWebFile file(http, url);
        http.TimeOut = timeOut;
        const QByteArray &body = file.GetBody();
        QSaveFile out(toFile);
        if (!out.open(QIODevice::WriteOnly) || out.write(body) != body.size() || !out.commit())
            throw ESocketError(QStringLiteral("Cannot write \"%1\": %2").arg(toFile, out.errorString()));
    });
}

QByteArray HttpTransport::GetBody(const QString &url, int timeOutSeconds)
{
    return run(timeOutSeconds, [&](TagHTTP &http, int timeOut) {
        TWebFile file(http, url);
        http.TimeOut = timeOut;
        return file.GetBody();
    });
}

DatabaseContext::HttpSource HttpTransport::Source()
{
    DatabaseContext::HttpSource source;
    QPointer<HttpTransport> self(this);
    source.lastModified = [self](const QString &url) { return self ? self->SourceTime(url) : 0.0; };
    source.fetch = [self](const QString &url, const QString &toFile) {
        if (self)
            self->Fetch(url, toFile);
    };
    return source;
}
