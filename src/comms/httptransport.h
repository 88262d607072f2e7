#pragma once

#include "store/databasecontext.h"

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <functional>

class TagHTTP;

// The program's way to the web: one transfer at a time, each through a fresh TagHTTP,
// the proxy of zeb.ini ("Internet", "Proxy") applied. Remote folders reach it through
// their database's context (Source()); whoever shows the window watches busyChanged
// to hold back what must not run meanwhile, and may Cancel().
class HttpTransport : public QObject
{
    Q_OBJECT
public:
    explicit HttpTransport(QObject *parent = nullptr);
    ~HttpTransport() override;

    // The proxy for the next transfer; reads zeb.ini unless replaced.
    std::function<QString()> proxy;
    int TimeOut = 60;

    // The source's time as a date-time number (local time): its Last-Modified, or
    // infinity when the server does not say, so that such a source is read every time.
    double SourceTime(const QString &url);
    // Downloads the address into a file beside toFile and renames it into place only
    // when the whole body has arrived with a 2xx status: a failure keeps the last copy.
    void Fetch(const QString &url, const QString &toFile);
    // The body of a 2xx answer, with its own time-out in seconds.
    QByteArray GetBody(const QString &url, int timeOutSeconds);

    DatabaseContext::HttpSource Source();

    bool Busy() const { return m_current != nullptr; }
    void Cancel();

signals:
    void busyChanged(bool busy);

private:
    template <typename Call> auto run(int timeOut, Call &&call);

    TagHTTP *m_current = nullptr; // the running transfer, on the stack of run()
};
