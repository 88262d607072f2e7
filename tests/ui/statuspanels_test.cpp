#include "ui/statuspanels.h"

#include <QLabel>
#include <gtest/gtest.h>

TEST(StatusPanelsTest, PanelsWidenForTheirTextsAndKeepTheirWidthsOtherwise)
{
    TStatusPanels panels;
    panels.resize(2000, 24);
    panels.show();
    const QList<QLabel *> labels = panels.findChildren<QLabel *>();
    ASSERT_EQ(labels.size(), 3);
    panels.setText(StatusPanel::Count, QStringLiteral("3 item(s)"));
    EXPECT_EQ(labels[1]->width(), TStatusPanels::Widths[1]);

    // A count too wide for the panel's 75 pixels widens it, and moves the next one along.
    panels.setText(StatusPanel::Count, QStringLiteral("1234567 item(s)"));
    EXPECT_GT(labels[1]->width(), TStatusPanels::Widths[1]);
    EXPECT_GE(labels[1]->width(), labels[1]->sizeHint().width());
    EXPECT_EQ(labels[2]->x(), labels[1]->geometry().right() + 1);
    EXPECT_EQ(panels.sizeHint().width(), labels[0]->width() + labels[1]->width() + labels[2]->width());
}
