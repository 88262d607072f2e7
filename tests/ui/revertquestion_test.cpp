#include "ui/databasecommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Clicks button on the next message box and notes its text.
void answerNextBox(QString &text, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&text, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(text, button); // not up yet
            return;
        }
        text = box->text();
        box->button(button)->click();
    });
}

} // namespace

TEST(RevertQuestionTest, OnlyOkReverts)
{
    QString cancelled, accepted;
    answerNextBox(cancelled, QMessageBox::Cancel);
    EXPECT_FALSE(DatabaseCommands::ConfirmRevert(nullptr));
    EXPECT_EQ(cancelled, "This option will lose all changes made during this session. Are you sure?");
    answerNextBox(accepted, QMessageBox::Ok);
    EXPECT_TRUE(DatabaseCommands::ConfirmRevert(nullptr));
    EXPECT_FALSE(accepted.isEmpty());
}
