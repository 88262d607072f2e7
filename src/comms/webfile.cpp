#include "webfile.h"

#include "httpdate.h"
#include "httperrors.h"
#include "taghttp.h"

namespace {
QString whileRetrieving(const std::exception &e, const QString &url)
{
    return QStringLiteral("%1 while retrieving %2").arg(QString::fromUtf8(e.what()), url);
}
} // namespace

TWebFile::TWebFile(TagHTTP &http, const QString &url) : m_http(http), m_url(url)
{
    m_http.TimeOut = 60;
    retrieving([&] { m_http.SetURL(url); });
}

template <typename Call> auto TWebFile::retrieving(Call &&call) -> decltype(call())
{
    try {
        return call();
    } catch (const ECanceledError &e) {
        throw ECanceledError(whileRetrieving(e, m_url));
    } catch (const ETimedOutError &e) {
        throw ETimedOutError(whileRetrieving(e, m_url));
    } catch (const ESocketError &e) {
        throw ESocketError(whileRetrieving(e, m_url));
    }
}

void TWebFile::checkStatus(int status) const
{
    if (status < 200 || status > 299)
        throw ESocketError(QStringLiteral("The server answered \"%1\"")
                               .arg(QString::fromLatin1(m_http.StatusLine().mid(9)).trimmed()));
}

const QByteArray &TWebFile::GetBody()
{
    if (!m_haveBody) {
        retrieving([&] { checkStatus(m_http.Get()); });
        m_haveBody = m_haveHeaders = true;
    }
    return m_http.Body();
}

QDateTime TWebFile::GetLastModified()
{
    if (!m_haveHeaders) {
        retrieving([&] { checkStatus(m_http.Head()); });
        m_haveHeaders = true;
    }
    return ParseHttpDate(m_http.Headers().Value("Last-Modified"));
}
