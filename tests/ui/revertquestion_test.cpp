#include "ui/databasecommands.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Answers the next message box with button, after noting what it showed.
struct Answer
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool seen = false;
};

void answerNextBox(Answer &answer, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&answer, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            answerNextBox(answer, button); // not up yet
            return;
        }
        answer.seen = true;
        answer.title = box->windowTitle();
        answer.text = box->text();
        answer.icon = box->icon();
        answer.buttons = box->standardButtons();
        box->button(button)->click();
    });
}

} // namespace

TEST(RevertQuestionTest, AsksWithOkAndCancelAndAQuestionIcon)
{
    Answer answer;
    answerNextBox(answer, QMessageBox::Cancel);
    EXPECT_FALSE(DatabaseCommands::ConfirmRevert(nullptr));
    ASSERT_TRUE(answer.seen);
    EXPECT_EQ(answer.title, "Revert to Saved");
    EXPECT_EQ(answer.text, "This option will lose all changes made during this session. Are you sure?");
    EXPECT_EQ(answer.icon, QMessageBox::Question);
    EXPECT_EQ(answer.buttons, QMessageBox::Ok | QMessageBox::Cancel);

    Answer ok;
    answerNextBox(ok, QMessageBox::Ok);
    EXPECT_TRUE(DatabaseCommands::ConfirmRevert(nullptr));
    EXPECT_TRUE(ok.seen);
}
