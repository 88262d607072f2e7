#include "comms/httperrors.h"
#include "comms/httptransport.h"
#include "comms/taghttp.h"
#include "comms/webfile.h"
#include "support/fakemodem.h"
#include "support/filebytes.h"
#include "support/scriptedhttpserver.h"

#include <QDir>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

class TagHttpTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }

    // The message a call ends with, "" when it ends well.
    template <typename Call> static std::string failure(Call &&call)
    {
        try {
            call();
        } catch (const std::exception &e) {
            return e.what();
        }
        return "";
    }

    ScriptedHttpServer server;
    TagHTTP http;
};

} // namespace

TEST_F(TagHttpTest, WritesTheRequestAndReadsTheAnswer)
{
    server.answer("HTTP/1.1 200 OK", {"Content-Length: 5", "Last-Modified: Sun, 06 Nov 1994 08:49:37 GMT"}, "hello");
    http.SetURL(server.url("/shared/list.mbd?v=1"));
    EXPECT_EQ(http.Get(), 200);
    EXPECT_EQ(http.Body(), "hello");
    http.SetURL(server.url("/a b"));
    EXPECT_EQ(http.Head(), 200);
    EXPECT_TRUE(http.Body().isEmpty());
    EXPECT_EQ(http.Headers().Value("last-modified"), "Sun, 06 Nov 1994 08:49:37 GMT");

    const QByteArray host = "Host: 127.0.0.1:" + QByteArray::number(server.port()) + "\r\n";
    ASSERT_EQ(server.requests.size(), 2);
    EXPECT_EQ(server.requests[0],
              "GET /shared/list.mbd?v=1 HTTP/1.1\r\n" + host + "Accept: */*\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(server.requests[1], "HEAD /a%20b HTTP/1.1\r\n" + host + "Accept: */*\r\nConnection: close\r\n\r\n");
}

TEST_F(TagHttpTest, ThroughAProxyTheHostIsTheOriginServer)
{
    server.answer("HTTP/1.1 200 OK", {"Content-Length: 2"}, "ok");
    http.SetProxy(server.address());
    http.SetURL("http://files.example.org:8080/list.mbd");
    EXPECT_EQ(http.Get(), 200);
    ASSERT_EQ(server.requests.size(), 1);
    EXPECT_EQ(server.requests[0], "GET http://files.example.org:8080/list.mbd HTTP/1.1\r\n"
                                  "Host: files.example.org:8080\r\nAccept: */*\r\nConnection: close\r\n\r\n");

    // A secure address asks the proxy for a tunnel first.
    server.answer("HTTP/1.1 403 Forbidden", {"Content-Length: 0"}, "");
    http.SetURL("https://files.example.org/list.mbd");
    EXPECT_EQ(failure([&] { http.Get(); }), "The proxy refused the connection: HTTP/1.1 403 Forbidden");
    ASSERT_EQ(server.requests.size(), 2);
    EXPECT_EQ(server.requests[1], "CONNECT files.example.org:443 HTTP/1.1\r\nHost: files.example.org:443\r\n\r\n");
}

TEST_F(TagHttpTest, HostileAnswersEndInErrors)
{
    http.TimeOut = 2;
    http.SetURL(server.url("/x"));
    // Cut short, then a chunk size no memory holds, then a header line without end.
    server.answer("HTTP/1.1 200 OK", {"Content-Length: 100"}, "short");
    server.answer("HTTP/1.1 200 OK", {"Transfer-Encoding: chunked"}, "7FFFFFFFFFFFFF\r\n");
    server.answer({{"HTTP/1.1 200 OK\r\nX-Endless: " + QByteArray(100000, 'a')}, 0, false});
    EXPECT_EQ(failure([&] { http.Get(); }), "The server closed the connection before the whole response arrived");
    EXPECT_EQ(failure([&] { http.Get(); }), "The server's response is too large");
    EXPECT_EQ(failure([&] { http.Get(); }), "Line too long in the server's response");
    EXPECT_FALSE(http.Busy());
}

TEST_F(TagHttpTest, ASlowDripTimesOut)
{
    http.TimeOut = 1;
    ScriptedHttpServer::Reply drip;
    for (char c : QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789"))
        drip.pieces.append(QByteArray(1, c));
    drip.pieceDelayMs = 200;
    server.answer(drip);
    http.SetURL(server.url());
    try {
        http.Get();
        ADD_FAILURE() << "no time-out";
    } catch (const ETimedOutError &e) {
        EXPECT_STREQ(e.what(), "Operation timed out");
    }
}

TEST_F(TagHttpTest, ACancelEndsTheWait)
{
    server.answer({{"HTTP/1.1 200 OK\r\n"}, 0, false}); // and then nothing
    http.SetURL(server.url());
    QTimer::singleShot(50, &http, [this] { http.Cancel(); });
    EXPECT_THROW(http.Get(), ECanceledError);
    EXPECT_FALSE(http.Busy());
}

TEST_F(TagHttpTest, ARefusedConnectionSaysSo)
{
    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        port = closed.serverPort();
    }
    http.SetURL(QStringLiteral("http://127.0.0.1:%1/").arg(port));
    EXPECT_EQ(failure([&] { http.Get(); }), "[10061] Connection refused");
}

TEST_F(TagHttpTest, WebFileRefusesAnythingButSuccessAndNamesTheAddress)
{
    server.answer("HTTP/1.1 404 Not Found", {"Content-Length: 9"}, "not here!");
    const QString url = server.url("/gone.mbd");
    TWebFile file(http, url);
    EXPECT_EQ(failure([&] { file.GetBody(); }), "The server answered \"404 Not Found\" while retrieving " + url.toStdString());
    EXPECT_EQ(failure([&] { TWebFile(http, "ftp://x/"); }), "Invalid URL while retrieving ftp://x/");

    server.answer("HTTP/1.1 200 OK", {"Last-Modified: Mon, 07 Dec 2026 09:30:05 GMT"}, "");
    TWebFile dated(http, url);
    EXPECT_EQ(dated.GetLastModified(), QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5), QTimeZone::utc()));
    EXPECT_EQ(dated.GetLastModified(), QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5), QTimeZone::utc()));
    EXPECT_EQ(server.requests.size(), 2); // the headers are kept
}

TEST_F(TagHttpTest, ADownloadReplacesTheCopyOnlyWhenWhole)
{
    QTemporaryDir dir;
    const QString copy = QDir(dir.path()).filePath("http_import_file.mbd");
    WriteBytes(copy, "last good copy");
    HttpTransport transport;
    transport.proxy = nullptr;
    transport.TimeOut = 2;
    server.answer("HTTP/1.1 404 Not Found", {}, "error page");
    server.answer("HTTP/1.1 200 OK", {"Content-Length: 50"}, "half");
    server.answer("HTTP/1.1 200 OK", {"Content-Length: 8"}, "new copy");
    QList<bool> busy;
    QObject::connect(&transport, &HttpTransport::busyChanged, [&](bool b) { busy << b; });
    EXPECT_THROW(transport.Fetch(server.url(), copy), ESocketError);
    EXPECT_EQ(ReadBytes(copy), "last good copy");
    EXPECT_THROW(transport.Fetch(server.url(), copy), ESocketError);
    EXPECT_EQ(ReadBytes(copy), "last good copy");
    transport.Fetch(server.url(), copy);
    EXPECT_EQ(ReadBytes(copy), "new copy");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"http_import_file.mbd"});
    EXPECT_EQ(busy, QList<bool>({true, false, true, false, true, false}));
}
