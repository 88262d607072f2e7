#include "comms/browserpage.h"
#include "comms/httptransport.h"
#include "store/zebobject.h"
#include "support/fakemodem.h"
#include "support/scriptedhttpserver.h"
#include "support/storefixture.h"
#include "../store/recordfiletestutil.h"

#include <QTcpServer>

namespace {
class BrowserPageTest : public StoreFixture
{
protected:
    static void SetUpTestSuite() { ensureCoreApplication(); }
    void SetUp() override
    {
        StoreFixture::SetUp();
        // The endpoint on this machine is reached directly.
        transport.proxy = [] { return QStringLiteral("proxy.invalid:1"); };
    }
    HttpTransport transport;
    ScriptedHttpServer endpoint;
};
} // namespace

TEST_F(BrowserPageTest, ReadsThePageAndMakesAWebsiteOfIt)
{
    endpoint.answer("HTTP/1.1 200 OK", {"Content-Type: application/json"},
                    R"([{"type": "page", "url": "https://example.org/", "title": "Example Domain"}])");
    const std::optional<BrowserLink::Page> page = CurrentBrowserPage(transport, endpoint.port());
    ASSERT_TRUE(page);
    ASSERT_EQ(endpoint.requests.size(), 1);
    EXPECT_TRUE(endpoint.requests[0].startsWith("GET /json/list HTTP/1.1\r\n"));

    TZEBObject *site = AddBrowserPage(root, *page);
    EXPECT_EQ(site->Kind(), ItemKind::Website);
    EXPECT_EQ(site->Title(), "Example Domain");
    EXPECT_EQ(site->Value(), "https://example.org/");
    EXPECT_EQ(Outline(root), QStringList{"Example Domain"});

    TZEBObject *untitled = AddBrowserPage(root, {"https://example.org/b", ""});
    EXPECT_EQ(untitled->Title(), "https://example.org/b");
}

TEST_F(BrowserPageTest, NoBrowserNoPage)
{
    quint16 port = 0;
    {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost, 0);
        port = closed.serverPort();
    }
    EXPECT_FALSE(CurrentBrowserPage(transport, port));
    endpoint.answer("HTTP/1.1 404 Not Found", {"Content-Length: 0"}, "");
    EXPECT_FALSE(CurrentBrowserPage(transport, endpoint.port()));
    EXPECT_EQ(root->Count(), 0);
}
