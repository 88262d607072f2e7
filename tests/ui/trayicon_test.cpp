#include "ui/trayicon.h"

#include <gtest/gtest.h>

TEST(TrayIconTest, TipIsCutTo62Characters)
{
    EXPECT_EQ(TTrayIcon::CutTip("[My Contacts/Friends/Smith]"), "[My Contacts/Friends/Smith]");
    const QString exact = "[" + QString(60, u'x') + "]";
    EXPECT_EQ(TTrayIcon::CutTip(exact), exact);
    // Longer paths lose their end, closing bracket included.
    const QString path = "[My Contacts/" + QString(60, u'a') + "/Smith]";
    const QString cut = TTrayIcon::CutTip(path);
    EXPECT_EQ(cut.size(), 62);
    EXPECT_EQ(cut, path.left(62));
    EXPECT_FALSE(cut.endsWith(u']'));
    EXPECT_EQ(TTrayIcon::CutTip(""), "");
}

TEST(TrayIconTest, CutNeverSplitsACharacterOutsideTheBasicPlane)
{
    // 61 letters, then a character written as two UTF-16 units across the cut.
    const QString text = QString(61, u'a') + QString::fromUtf8("\xF0\x9F\x93\x9E") + "b";
    const QString cut = TTrayIcon::CutTip(text);
    EXPECT_EQ(cut, QString(61, u'a'));
    const QString before = QString(60, u'a') + QString::fromUtf8("\xF0\x9F\x93\x9E") + "b";
    EXPECT_EQ(TTrayIcon::CutTip(before), before.left(62));
}
