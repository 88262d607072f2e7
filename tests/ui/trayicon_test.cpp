#include "ui/trayicon.h"

#include <gtest/gtest.h>

TEST(TrayIconTest, TipIsCutTo62CharactersNeverInsideACharacter)
{
    const QString exact = "[" + QString(60, u'x') + "]";
    EXPECT_EQ(TTrayIcon::CutTip(exact), exact);
    // Longer paths lose their end, closing bracket included.
    EXPECT_EQ(TTrayIcon::CutTip("[" + QString(60, u'x') + "y]"), "[" + QString(60, u'x') + "y");
    // A character written as two UTF-16 units across the cut goes whole.
    const QString phone = QString::fromUtf8("\xF0\x9F\x93\x9E");
    EXPECT_EQ(TTrayIcon::CutTip(QString(61, u'a') + phone + "b"), QString(61, u'a'));
    const QString before = QString(60, u'a') + phone + "b";
    EXPECT_EQ(TTrayIcon::CutTip(before), before.left(62));
}
