#include "comms/httpdate.h"
#include "comms/httperrors.h"
#include "comms/httpresponse.h"
#include "comms/httpurl.h"

#include <QTimeZone>
#include <gtest/gtest.h>

namespace {

QByteArray bodyOf(const QByteArray &response, bool closeAfter = false)
{
    HttpResponseParser parser(false);
    const bool done = parser.Feed(response);
    if (closeAfter)
        parser.Finish();
    else
        EXPECT_TRUE(done);
    return parser.Body();
}

std::string failureOf(const QByteArray &response, bool close = true, HttpResponseParser::Limits limits = {})
{
    try {
        HttpResponseParser parser(false, limits);
        // One byte at a time, as a slow server would send it.
        for (char c : response)
            if (parser.Feed(QByteArrayView(&c, 1)))
                return "complete";
        if (close)
            parser.Finish();
        return "incomplete";
    } catch (const ESocketError &e) {
        return e.what();
    }
}

} // namespace

TEST(HttpUrlTest, TakesTheAddressApartAndEncodesItsPath)
{
    HttpUrl u = HttpUrl::Parse("http://example.org/dir/");
    EXPECT_EQ(u.host, "example.org");
    EXPECT_EQ(u.port, 80);
    EXPECT_EQ(u.authority, "example.org");
    EXPECT_EQ(u.target, "/dir/");

    u = HttpUrl::Parse("HTTP://Example.org");
    EXPECT_EQ(u.target, "/");
    EXPECT_FALSE(u.tls);

    u = HttpUrl::Parse("https://[::1]:8443/a b/ü?q=1#frag");
    EXPECT_TRUE(u.tls);
    EXPECT_EQ(u.host, "::1");
    EXPECT_EQ(u.port, 8443);
    EXPECT_EQ(u.authority, "[::1]:8443");
    EXPECT_EQ(u.target, "/a%20b/%C3%BC?q=1");
    EXPECT_EQ(u.absoluteForm(), "https://[::1]:8443/a%20b/%C3%BC?q=1");

    // Encoded text stays as it is; a lone percent sign is encoded.
    EXPECT_EQ(HttpUrl::Parse("http://h/%41%zz\"<>").target, "/%41%25zz%22%3C%3E");
    // Long paths are whole, never cut.
    const QString longPath = "/" + QString(600, 'x');
    EXPECT_EQ(HttpUrl::Parse("http://h" + longPath).target.size(), 601);
}

TEST(HttpUrlTest, RefusesWhatCouldBreakTheRequestLine)
{
    for (const char *bad : {"ftp://example.org/", "example.org", "http://", "http://exa mple.org/",
                            "http://user:pw@example.org/", "http://example.org:0/", "http://example.org:65536/",
                            "http://example.org:80x/", "http://example.org:/", "http://[::1/", "http://ex\\ample/"}) {
        EXPECT_THROW(HttpUrl::Parse(QString::fromUtf8(bad)), ESocketError) << bad;
    }
    for (const QString &bad : {QStringLiteral("http://h/a\r\nHost: evil"), QStringLiteral("http://h/a\nb"),
                               QString("http://h/a") + QChar(0) + "b", QStringLiteral("http://h/\tx")}) {
        try {
            HttpUrl::Parse(bad);
            ADD_FAILURE() << "accepted a control character";
        } catch (const ESocketError &e) {
            EXPECT_STREQ(e.what(), "Invalid URL");
        }
    }
}

TEST(HttpUrlTest, ProxyNeedsAPort)
{
    const HttpProxy p = HttpProxy::Parse(" proxy.lan:3128 ");
    EXPECT_EQ(p.host, "proxy.lan");
    EXPECT_EQ(p.port, 3128);
    try {
        HttpProxy::Parse("proxy.lan");
        ADD_FAILURE();
    } catch (const ESocketError &e) {
        EXPECT_STREQ(e.what(), "Proxy port is required");
    }
    EXPECT_THROW(HttpProxy::Parse("proxy.lan:99999"), ESocketError);
    EXPECT_THROW(HttpProxy::Parse("u@proxy:1"), ESocketError);
}

TEST(HttpErrorsTest, TextsCarryTheirCodes)
{
    EXPECT_EQ(HttpErrors::Text(10061), "[10061] Connection refused");
    EXPECT_EQ(HttpErrors::Text(11001), "[11001] Host not found");
    EXPECT_EQ(HttpErrors::Text(57000), "Operation timed out");
    EXPECT_EQ(HttpErrors::Text(57001), "Operation has been canceled");
    EXPECT_EQ(HttpErrors::Text(12345), "Error #12345");
}

TEST(HttpResponseTest, BodiesFramedEachWay)
{
    // Chunks of 0x1a bytes and a last chunk, with an extension and a trailer.
    const QByteArray alphabet = "abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(bodyOf("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1a;x=y\r\n" + alphabet +
                     "\r\n0\r\nX-Trailer: 1\r\n\r\n"),
              alphabet);
    EXPECT_EQ(bodyOf("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhelloIGNORED"), "hello");
    EXPECT_EQ(bodyOf("HTTP/1.0 200 OK\nServer: x\n\nto the close", true), "to the close");
    EXPECT_EQ(bodyOf("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"), "ok");
    EXPECT_EQ(bodyOf("HTTP/1.1 204 No Content\r\n\r\n"), "");

    HttpResponseParser head(true);
    EXPECT_TRUE(head.Feed("HTTP/1.1 200 OK\r\nContent-Length: 900\r\n\r\n"));
    EXPECT_EQ(head.Status(), 200);
    EXPECT_TRUE(head.Body().isEmpty());
}

TEST(HttpResponseTest, HeadersJoinContinuationLines)
{
    HttpResponseParser parser(true);
    ASSERT_TRUE(parser.Feed("HTTP/1.1 404 Not Found\r\nX-Long: one\r\n  two\r\n\tthree\r\n"
                            "last-modified: Sun, 06 Nov 1994 08:49:37 GMT\r\n\r\n"));
    EXPECT_EQ(parser.Status(), 404);
    EXPECT_EQ(parser.StatusLine(), "HTTP/1.1 404 Not Found");
    EXPECT_EQ(parser.Headers().Value("x-long"), "one two three");
    EXPECT_EQ(parser.Headers().Value("Last-Modified"), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_FALSE(parser.Headers().Has("Last"));
}

TEST(HttpResponseTest, MalformedShortOrOversizedAnswersFail)
{
    const std::string cutShort = "The server closed the connection before the whole response arrived";
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly this"), cutShort);
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nshort"), cutShort);
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nok\r\n"), cutShort);
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nContent-Le"), cutShort);
    EXPECT_EQ(failureOf(""), "The server closed the connection without an answer");

    const std::string badChunk = "Malformed chunk in the server's response";
    for (const char *size : {"1g", "-1", "+5", "", "0x10", "1 2"})
        EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + QByteArray(size) + "\r\n"),
                  badChunk)
            << size;
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nokXX0\r\n\r\n"), badChunk);

    const std::string tooLarge = "The server's response is too large";
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFF\r\n"), tooLarge);
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n"), tooLarge);
    HttpResponseParser::Limits small;
    small.bodyBytes = 10;
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\n\r\n" + QByteArray(11, 'x'), true, small), tooLarge);

    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 6\r\n\r\n"),
              "Invalid Content-Length in the server's response");
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nContent-Length: -5\r\n\r\n"),
              "Invalid Content-Length in the server's response");
    EXPECT_EQ(failureOf("SSH-2.0-OpenSSH\r\n"), "The server's response is not HTTP");
    EXPECT_EQ(failureOf("HTTP/1.1 2000 OK\r\n"), "The server's response is not HTTP");
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nno colon here\r\n"), "Malformed header line in the server's response");
    // An endless line stops at the limit, without waiting for its end.
    EXPECT_EQ(failureOf("HTTP/1.1 200 OK\r\nX: " + QByteArray(9000, 'a'), false), "Line too long in the server's response");
    QByteArray many = "HTTP/1.1 200 OK\r\n";
    for (int i = 0; i < 2000; ++i)
        many += "X-Header: " + QByteArray(40, 'h') + "\r\n";
    EXPECT_EQ(failureOf(many, false), "The server's response headers are too large");
}

TEST(HttpDateTest, ReadsTheDateWithItsTimeInGmt)
{
    const QDateTime expected(QDate(1994, 11, 6), QTime(8, 49, 37), QTimeZone::utc());
    EXPECT_EQ(ParseHttpDate("Sun, 06 Nov 1994 08:49:37 GMT"), expected);
    EXPECT_EQ(ParseHttpDate("Sunday, 06-Nov-94 08:49:37 GMT"), expected);
    EXPECT_EQ(ParseHttpDate("Sun Nov  6 08:49:37 1994"), expected);
    // Two changes on one day are told apart.
    EXPECT_LT(ParseHttpDate("Mon, 07 Dec 2026 08:00:00 GMT"), ParseHttpDate("Mon, 07 Dec 2026 09:30:00 GMT"));
    for (const char *bad : {"", "Sun, 06 Foo 1994 08:49:37 GMT", "Sun, 31 Feb 1994 08:49:37 GMT",
                            "Sun, 06 Nov 1994 25:49:37 GMT", "Sun, 06 Nov 1994 08:49:37 CET", "yesterday"})
        EXPECT_FALSE(ParseHttpDate(bad).isValid()) << bad;
}
