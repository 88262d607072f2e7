#include "ui/dialogs/helphook.h"
#include "ui/helptopics.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(HelpTopicsTest, EveryTopicOpensAnExistingPage)
{
    // The item dialogs' own context lands on their page; unknown topics on the contents.
    EXPECT_EQ(HelpTopics::PageForTopic(ItemDialogHelpContext), "itemdialogs.html");
    EXPECT_EQ(HelpTopics::PageForTopic(4711), "index.html");
    for (int topic : {0, 1003, 1039, 1040, 4711}) {
        const QUrl url = HelpTopics::UrlForTopic(topic);
        ASSERT_TRUE(url.isLocalFile()) << topic;
        QFile page(url.toLocalFile());
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << url.toLocalFile().toStdString();
        const QByteArray html = page.readAll();
        EXPECT_TRUE(html.contains("<title>")) << topic;
        // Pages link to pages that are there.
        for (const char *link : {"index.html", "mainwindow.html", "itemdialogs.html", "options.html"})
            if (html.contains(QByteArray("href=\"") + link)) {
                EXPECT_TRUE(QFileInfo::exists(QFileInfo(page).dir().filePath(link))) << link;
            }
    }
}
