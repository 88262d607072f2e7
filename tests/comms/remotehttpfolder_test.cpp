#include "comms/httperrors.h"
#include "comms/httptransport.h"
#include "comms/taghttp.h"
#include "store/folderobject.h"
#include "support/fakemodem.h"
#include "support/filebytes.h"
#include "support/scriptedhttpserver.h"
#include "support/storefixture.h"
#include "../store/recordfiletestutil.h"

#include <QLocale>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QStandardPaths>
#include <QTcpServer>
#include <QScopeGuard>
#include <QTcpSocket>
#include <QThread>
#include <QTimeZone>

namespace {

QByteArray httpDate(const QDateTime &t)
{
    return QLocale::c().toString(t.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'")).toLatin1();
}

const QByteArray ClubList = CrLf({"{1 0 }Club~~~~~~1", "{Fold}0", "{2 6 }Desk~~555~~~~2", "{Phon}~~0"});
const QByteArray TeamList = CrLf({"{1 0 }Team~~~~~~4", "{Fold}0"});

// A remote folder whose source is on a web server, read through the real transport.
class RemoteHttpFolderTest : public StoreFixture
{
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }
    void SetUp() override
    {
        StoreFixture::SetUp();
        transport.proxy = nullptr;
        transport.TimeOut = 5;
        context().SetHttpSource(transport.Source());
        folder = static_cast<TFolderObject *>(add(ItemKind::Folder, "Shared", root));
    }
    // The same answer serves HEAD (which reads no body) and GET.
    void serve(const QDateTime &modified, const QByteArray &body)
    {
        server.answer("HTTP/1.1 200 OK",
                      {"Last-Modified: " + httpDate(modified), "Content-Length: " + QByteArray::number(body.size())}, body);
    }
    QStringList methods() const
    {
        QStringList m;
        for (const QByteArray &r : server.requests)
            m << QString::fromLatin1(r.left(r.indexOf(' ')));
        return m;
    }

    HttpTransport transport;
    ScriptedHttpServer server;
    TFolderObject *folder = nullptr;
};

} // namespace

TEST_F(RemoteHttpFolderTest, ReadsTheSourceAgainOnlyWhenItIsNewer)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    serve(now.addSecs(-60), ClubList);    // HEAD
    serve(now.addSecs(-60), ClubList);    // GET
    serve(now.addSecs(-60), ClubList);    // HEAD: unchanged
    serve(now.addSecs(3600), TeamList);   // HEAD, GET: later, if only by an hour
    serve(now.addSecs(3600), TeamList);
    folder->SetValue(server.url("/list.mbd"));
    folder->Refresh();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"Club", "Club|Desk"}));
    EXPECT_EQ(ReadBytes("http_import_file.mbd"), ClubList);
    folder->Refresh();
    EXPECT_EQ(methods(), QStringList({"HEAD", "GET", "HEAD"}));
    folder->Refresh();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"Team"}));
    EXPECT_EQ(methods(), QStringList({"HEAD", "GET", "HEAD", "HEAD", "GET"}));
    EXPECT_TRUE(services.errors.isEmpty());
}

TEST_F(RemoteHttpFolderTest, AFailedTransferKeepsTheFolderAndTheLastCopy)
{
    const QDateTime later = QDateTime::currentDateTimeUtc().addSecs(3600);
    serve(later.addSecs(-7200), ClubList);
    serve(later.addSecs(-7200), ClubList);
    folder->SetValue(server.url("/list.mbd"));
    folder->Refresh();
    ASSERT_EQ(Outline(folder->Node()), QStringList({"Club", "Club|Desk"}));

    // Newer, but the body is an error page, then cut short, then a server that is gone.
    server.answer("HTTP/1.1 200 OK", {"Last-Modified: " + httpDate(later)}, "");
    server.answer("HTTP/1.1 404 Not Found", {"Content-Length: 11"}, "{1 0 }Gone~");
    server.answer("HTTP/1.1 200 OK", {"Last-Modified: " + httpDate(later)}, "");
    server.answer("HTTP/1.1 200 OK", {"Content-Length: 500"}, TeamList);
    for (const char *expected : {"The server answered \"404 Not Found\" while retrieving ",
                                 "The server closed the connection before the whole response arrived while retrieving "}) {
        try {
            folder->Refresh();
            ADD_FAILURE() << "no error";
        } catch (const ESocketError &e) {
            EXPECT_EQ(e.what(), expected + server.url("/list.mbd").toStdString());
        }
        EXPECT_EQ(Outline(folder->Node()), QStringList({"Club", "Club|Desk"}));
        EXPECT_EQ(ReadBytes("http_import_file.mbd"), ClubList);
    }
}

TEST_F(RemoteHttpFolderTest, ASourceWithoutADateIsReadEachTime)
{
    server.answer("HTTP/1.1 200 OK", {"Content-Length: " + QByteArray::number(ClubList.size())}, ClubList);
    folder->SetValue(server.url("/dynamic"));
    folder->Refresh();
    folder->Refresh();
    EXPECT_EQ(methods(), QStringList({"HEAD", "GET", "HEAD", "GET"}));
    EXPECT_EQ(Outline(folder->Node()), QStringList({"Club", "Club|Desk"}));
}

// A real web server, when one is installed: a static file with its Last-Modified and
// Content-Length, and the same records sent in chunks.
TEST_F(RemoteHttpFolderTest, ReadsFromNginx)
{
    const QString nginx = QStandardPaths::findExecutable("nginx", {"/usr/sbin", "/usr/local/sbin"});
    if (nginx.isEmpty())
        GTEST_SKIP() << "nginx is not installed (scripts/setup-deps installs it)";
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    const QDir d(dir.path());
    ASSERT_TRUE(d.mkpath("www") && d.mkpath("tmp"));
    WriteBytes(d.filePath("www/list.mbd"), ClubList);
    WriteBytes(d.filePath("www/chunked.mbd"), "<!--# include file=\"list.mbd\" -->");
    // A server started by root reads as an unprivileged user.
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                      QFile::ReadOther | QFile::ExeOther;
    for (const QString &path : {d.path(), d.filePath("www")})
        QFile::setPermissions(path, open);
    const QString t = d.filePath("tmp");
    // A certificate of its own for the secure port, trusted only where the test says so.
    const bool tls = QProcess::execute("openssl", {"req", "-x509", "-newkey", "ec", "-pkeyopt",
                                                   "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1", "-subj",
                                                   "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                                                   "-keyout", d.filePath("key.pem"), "-out", d.filePath("cert.pem")}) == 0;
    quint16 tlsPort = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        tlsPort = probe.serverPort();
    }
    const QString tlsServer = tls ? QStringLiteral("  server { listen 127.0.0.1:%1 ssl; root %2/www; ssl_certificate %2/cert.pem;"
                                                   " ssl_certificate_key %2/key.pem; }\n")
                                        .arg(tlsPort)
                                        .arg(d.path())
                                  : QString();
    WriteBytes(d.filePath("nginx.conf"),
               QStringLiteral("daemon off; pid %1/nginx.pid; error_log %1/error.log;\n"
                              "events {}\n"
                              "http { access_log off; client_body_temp_path %2; proxy_temp_path %2; fastcgi_temp_path %2;\n"
                              "  uwsgi_temp_path %2; scgi_temp_path %2; default_type application/octet-stream;\n"
                              "  server { listen 127.0.0.1:%3; root %1/www;\n"
                              "    location = /chunked.mbd { ssi on; ssi_types *; } }\n%4 }\n")
                   .arg(d.path(), t)
                   .arg(port)
                   .arg(tlsServer)
                   .toUtf8());
    QProcess server;
    server.start(nginx, {"-c", d.filePath("nginx.conf"), "-e", d.filePath("error.log")});
    ASSERT_TRUE(server.waitForStarted());
    const auto stop = qScopeGuard([&] {
        server.terminate();
        server.waitForFinished(5000);
    });
    // Up once it answers.
    bool up = false;
    for (int i = 0; i < 100 && !up; ++i) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        up = probe.waitForConnected(100);
        if (!up)
            QThread::msleep(50);
    }
    ASSERT_TRUE(up) << ReadBytes(d.filePath("error.log")).toStdString();

    const QString base = QStringLiteral("http://127.0.0.1:%1").arg(port);
    folder->SetValue(base + "/list.mbd");
    folder->Refresh();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"Club", "Club|Desk"}));
    const QFileInfo served(d.filePath("www/list.mbd"));
    EXPECT_EQ(FromDateTimeNumber(transport.SourceTime(base + "/list.mbd")).toSecsSinceEpoch(),
              served.lastModified().toSecsSinceEpoch());

    TagHTTP http;
    http.SetURL(base + "/chunked.mbd");
    ASSERT_EQ(http.Get(), 200);
    EXPECT_EQ(http.Headers().Value("Transfer-Encoding"), "chunked");
    EXPECT_EQ(http.Body(), ClubList);
    http.SetURL(base + "/missing.mbd");
    EXPECT_EQ(http.Get(), 404);

    if (!tls)
        return;
    // Secure addresses: a certificate nobody vouches for is refused, a trusted one read.
    const QString secure = QStringLiteral("https://127.0.0.1:%1/list.mbd").arg(tlsPort);
    http.SetURL(secure);
    try {
        http.Get();
        ADD_FAILURE() << "an untrusted certificate was accepted";
    } catch (const ESocketError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("Secure connection failed: ")) << e.what();
    }
    QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
    trusted.setCaCertificates(QSslCertificate::fromPath(d.filePath("cert.pem")));
    http.TlsConfiguration = trusted;
    ASSERT_EQ(http.Get(), 200);
    EXPECT_EQ(http.Body(), ClubList);
}
