#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class TagHTTP;

// One address read through a TagHTTP. The answer is kept, so asking again does not
// fetch again. Every failure throws with "<message> while retrieving <address>";
// an answer other than 2xx is a failure, and its body is never handed out.
class TWebFile
{
public:
    TWebFile(TagHTTP &http, const QString &url);

    // The body of the address (GET when not fetched yet).
    const QByteArray &GetBody();
    // The Last-Modified time in UTC (HEAD when no headers are held yet); invalid
    // when the server gives none or one that is no date.
    QDateTime GetLastModified();

private:
    template <typename Call> auto retrieving(Call &&call) -> decltype(call());
    void checkStatus(int status) const;

    TagHTTP &m_http;
    QString m_url;
    bool m_haveBody = false;
    bool m_haveHeaders = false;
};
