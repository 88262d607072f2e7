#include "platform/browserlink.h"
#include "platform/profile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(BrowserLinkTest, OnlyWebAddressesGoToTheBrowserAsOneArgument)
{
    for (const char *url : {"http://example.org/", "HTTPS://example.org/a b", "ftp://files.example.org/",
                            "mailto:kim@example.org", "news:comp.lang.c++"})
        EXPECT_TRUE(BrowserLink::IsBrowsable(url)) << url;
    for (const char *url : {"file:///etc/passwd", "javascript:alert(1)", "--help", "http://", "/usr/bin/xterm",
                            "data:text/html,x", "example.org"})
        EXPECT_FALSE(BrowserLink::IsBrowsable(url)) << url;

    const QString hostile = "http://example.org/\"; rm -rf ~; echo \"";
    BrowserLink::Command c = BrowserLink::OpenCommand(hostile, QString());
    EXPECT_EQ(c.program, "xdg-open");
    EXPECT_EQ(c.arguments, QStringList{hostile});
    c = BrowserLink::OpenCommand(hostile, "/opt/my browser/run");
    EXPECT_EQ(c.program, "/opt/my browser/run");
    EXPECT_EQ(c.arguments, QStringList{hostile});

    QString error;
    EXPECT_FALSE(BrowserLink::OpenURL("file:///etc/passwd", &error));
    EXPECT_EQ(error, "\"file:///etc/passwd\" is not a web address the browser may open.");
}

TEST(BrowserLinkTest, SettingsNameTheProgramAndThePort)
{
    QTemporaryDir dir;
    Profile profile(dir.filePath("zeb.ini"));
    EXPECT_EQ(BrowserLink::ConfiguredPath(profile), "");
    EXPECT_EQ(BrowserLink::DebugPort(profile), 9222);
    profile.writeString("Browser", "Path", "/usr/bin/firefox");
    profile.writeInteger("Browser", "DebugPort", 9333);
    EXPECT_EQ(BrowserLink::ConfiguredPath(profile), "/usr/bin/firefox"); // nothing cut off
    EXPECT_EQ(BrowserLink::DebugPort(profile), 9333);
    profile.writeString("Browser", "Path", "C:\\Browser\\browse.exe");
    profile.writeInteger("Browser", "DebugPort", 70000);
    EXPECT_EQ(BrowserLink::ConfiguredPath(profile), "C:\\Browser\\browse");
    EXPECT_EQ(BrowserLink::DebugPort(profile), 9222);
    EXPECT_EQ(BrowserLink::DebugListUrl(9222), "http://127.0.0.1:9222/json/list");
}

TEST(BrowserLinkTest, ThePageComesFromTheDebugList)
{
    const QByteArray list = R"([
        {"type": "service_worker", "url": "https://example.org/sw.js", "title": "sw"},
        {"type": "page", "url": "chrome://newtab/", "title": "New Tab"},
        {"type": "page", "url": "https://evil.example/\n", "title": "Bad"},
        {"type": "page", "url": "https://example.org/news", "title": "Today's\r\nnews\u0007\u202e  "},
        {"type": "page", "url": "https://example.org/older", "title": "Older"}
    ])";
    const std::optional<BrowserLink::Page> page = BrowserLink::PageFromDebugList(list);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->url, "https://example.org/news");
    EXPECT_EQ(page->title, "Today's news");

    EXPECT_FALSE(BrowserLink::PageFromDebugList("[]"));
    EXPECT_FALSE(BrowserLink::PageFromDebugList("not json"));
    EXPECT_FALSE(BrowserLink::PageFromDebugList(R"({"type": "page", "url": "http://x.org/"})"));

    const QString longTitle = QString(300, u'x');
    EXPECT_EQ(BrowserLink::CleanTitle(longTitle).size(), BrowserLink::MaxTitleLength);
    // A cut never leaves half of a character that takes two code units.
    const QString emoji = QString(254, u'a') + QString::fromUtf8("\xF0\x9F\x98\x80");
    EXPECT_EQ(BrowserLink::CleanTitle(emoji), QString(254, u'a'));
}
