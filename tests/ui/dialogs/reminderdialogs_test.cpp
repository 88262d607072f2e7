#include "dialogtesting.h"
#include "store/reminderobject.h"
#include "ui/dialogs/itemdialogs.h"
#include "ui/dialogs/recurringdatedlg.h"
#include "ui/dialogs/reminderdialog.h"

#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

namespace {

const QDate kToday(2026, 12, 6);

class ReminderDialogTest : public DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        context().SetToday(kToday);
        owner = add(ItemKind::Person, "Kim", root)->Node();
    }
    TReminderObject *reminder(const QString &rule)
    {
        return dynamic_cast<TReminderObject *>(
            CreateItem(ItemKind::Reminder, "Renewal", {}, "old", owner, "{Remd}" + rule + "~~0", 0));
    }
    static TRecurringDate rule(int y, int m, int d, int mode)
    {
        TRecurringDate r;
        r.SetRule(QStringLiteral("%1,%2,%3,%4").arg(y).arg(m).arg(d).arg(mode));
        r.UseToday = false;
        return r;
    }
    // The cell of the calendar page that shows day.
    static QPoint cellOf(TRecurringDateDlg &dialog, int day)
    {
        for (int row = 1; row <= 6; ++row)
            for (int column = 0; column < 7; ++column)
                if (dialog.monthGrid()->item(row, column)->text() == QString::number(day))
                    return {column, row};
        return {-1, -1};
    }

    TTreeNode *owner = nullptr;
};

} // namespace

TEST_F(ReminderDialogTest, CalendarShowsTheMonthSundayFirstAndCutsTheDay)
{
    TRecurringDateDlg dialog(rule(1998, 1, 31, 1));
    EXPECT_EQ(dialog.windowTitle(), "Select a date");
    EXPECT_EQ(dialog.dateLabel()->text(), QLocale().toString(QDate(1998, 1, 31), QLocale::LongFormat));
    EXPECT_EQ(dialog.monthGrid()->item(0, 0)->text(), QLocale().dayName(7, QLocale::ShortFormat));
    EXPECT_EQ(dialog.monthSelector()->count(), 12);
    EXPECT_EQ(dialog.monthSelector()->currentIndex(), 0);
    EXPECT_EQ(dialog.yearUpDown()->value(), 1998);
    EXPECT_EQ(dialog.yearUpDown()->minimum(), 1);
    EXPECT_EQ(dialog.yearUpDown()->maximum(), 9999);
    // 1 January 1998 was a Thursday: column 4 of the first week; the 31st is selected.
    EXPECT_EQ(dialog.monthGrid()->item(1, 4)->text(), "1");
    EXPECT_EQ(dialog.monthGrid()->item(1, 3)->text(), "");
    EXPECT_EQ(cellOf(dialog, 31), QPoint(6, 5));
    EXPECT_EQ(dialog.monthGrid()->currentRow(), 5);

    ASSERT_EQ(dialog.recurSelector()->count(), 6);
    EXPECT_EQ(dialog.recurSelector()->currentIndex(), 1);
    EXPECT_EQ(dialog.recurSelector()->itemText(1), "Every 31st of the month");
    EXPECT_EQ(dialog.recurSelector()->itemText(5).left(10), "Every Last");

    dialog.MonthSelectorChange(1); // February: the 31st becomes the 28th
    EXPECT_EQ(dialog.currentDate(), QDate(1998, 2, 28));
    EXPECT_EQ(dialog.recurSelector()->itemText(1), "Every 28th of the month");
    EXPECT_EQ(dialog.recurSelector()->currentIndex(), 1) << "the choice is kept";
    dialog.yearUpDown()->setValue(1996);
    EXPECT_EQ(dialog.currentDate(), QDate(1996, 2, 28));
    dialog.MonthGridClick(cellOf(dialog, 29).y(), cellOf(dialog, 29).x());
    EXPECT_EQ(dialog.currentDate(), QDate(1996, 2, 29));
    dialog.yearUpDown()->stepBy(1); // a common year
    EXPECT_EQ(dialog.currentDate(), QDate(1997, 2, 28));
    dialog.MonthGridClick(6, 6); // an empty cell
    EXPECT_EQ(dialog.currentDate(), QDate(1997, 2, 28));

    dialog.reject();
    EXPECT_EQ(dialog.resultDate(), QDate(1998, 1, 31));
}

TEST_F(ReminderDialogTest, ExecuteTakesDateAndRuleOnOkOnly)
{
    TRecurringDate r = rule(2026, 3, 15, 0);
    whenModalShows([](QDialog *d) {
        auto *dialog = qobject_cast<TRecurringDateDlg *>(d);
        ASSERT_TRUE(dialog);
        dialog->MonthSelectorChange(3);
        dialog->recurSelector()->setCurrentIndex(3);
        d->reject();
    });
    EXPECT_FALSE(Execute(r, nullptr));
    EXPECT_EQ(r.GetRule(), "2026,3,15,0");

    whenModalShows([](QDialog *d) {
        auto *dialog = qobject_cast<TRecurringDateDlg *>(d);
        ASSERT_TRUE(dialog);
        dialog->MonthSelectorChange(3);
        dialog->recurSelector()->setCurrentIndex(3);
        control<QPushButton>(d, "OKButton")->click();
    });
    EXPECT_TRUE(Execute(r, nullptr));
    EXPECT_EQ(r.GetRule(), "2026,4,15,3");
}

TEST_F(ReminderDialogTest, ReminderDialogEditsACopyUntilOk)
{
    TReminderObject *r = reminder("2026,12,20,1");
    const QString value = r->Value();
    TRemdDlg dialog(*r, false, {});
    EXPECT_EQ(dialog.windowTitle(), "Reminder");
    EXPECT_EQ(edit(&dialog, "TitleEdit")->text(), "Renewal");
    EXPECT_EQ(edit(&dialog, "RemdComment")->text(), "old");
    EXPECT_EQ(dialog.targetDateLabel()->text(), r->Recurrence().GetDescription());
    EXPECT_EQ(dialog.setDateButton()->toolTip(), "Select due date(s)");
    EXPECT_EQ(dialog.advanceButton()->toolTip(), "Advance due date");

    dialog.advanceButton()->click();
    EXPECT_EQ(dialog.rule().GetRule(), "2027,1,20,1");
    EXPECT_TRUE(dialog.targetDateLabel()->text().contains(dialog.rule().GetDateText()));
    dialog.runCalendar = [](TRecurringDate &rule, QWidget *) {
        rule.SetDate(QDate(2026, 11, 1));
        rule.RecurMode = TRecurringDate::Weekly;
        return true;
    };
    dialog.setDateButton()->click();
    EXPECT_EQ(dialog.targetDateLabel()->text(), dialog.rule().GetDescription());
    // Cancel: the reminder's rule, date text and mark are as they were.
    EXPECT_EQ(r->Recurrence().GetRule(), "2026,12,20,1");
    EXPECT_EQ(r->Value(), value);
    EXPECT_FALSE(r->Alert());

    // OK: all three at once.
    edit(&dialog, "RemdComment")->setText("new");
    ASSERT_TRUE(dialog.apply());
    EXPECT_EQ(r->Recurrence().GetRule(), "2026,11,1,3");
    EXPECT_EQ(r->Value(), r->Recurrence().GetDateText());
    EXPECT_TRUE(r->Alert());
    EXPECT_EQ(owner->Item()->AlertCount(), 1);
    EXPECT_EQ(r->Comment(), "new");
}

TEST_F(ReminderDialogTest, EmptyTitleRemoteFoldersAndTheEndOfTheCalendar)
{
    TReminderObject *r = reminder("9999,12,20,1");
    TRemdDlg dialog(*r, false, {});
    edit(&dialog, "TitleEdit")->setText("  ");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.apply());
    EXPECT_EQ(r->Title(), "Renewal");

    dialog.advanceButton()->click(); // no later date: said, not silently ignored
    EXPECT_EQ(services.infos, QStringList{TReminderObject::CannotAdvanceText()});
    EXPECT_EQ(dialog.rule().GetRule(), "9999,12,20,1");

    TZEBObject *remote = add(ItemKind::Folder, "Shared", root, "nowhere.mbd");
    context().RemoteLoadingFlag() = true;
    TTreeNode *theirs = add(ItemKind::Person, "Pat", remote->Node())->Node();
    auto *inside = dynamic_cast<TReminderObject *>(
        CreateItem(ItemKind::Reminder, "Theirs", {}, {}, theirs, "{Remd}2026,12,20,0~~0", 0));
    context().RemoteLoadingFlag() = false;
    ASSERT_TRUE(inside && inside->InRemote());
    TRemdDlg readOnly(*inside, false, {});
    EXPECT_FALSE(readOnly.okButton()->isEnabled());
}

TEST_F(ReminderDialogTest, NewReminderShowsItsDefaultsAndCancelGivesFalse)
{
    TReminderObject *r = reminder("");
    r->SetTitle("New Reminder");
    whenModalShows([](QDialog *d) {
        EXPECT_EQ(edit(d, "TitleEdit")->text(), "New Reminder");
        EXPECT_TRUE(control<QLabel>(d, "TargetDateLabel")->text().startsWith(QLocale().toString(kToday, QLocale::ShortFormat)));
        EXPECT_EQ(edit(d, "RemdComment")->text(), "old");
        d->reject();
    });
    EXPECT_FALSE(RunItemDialog(*r, true, nullptr, {}));
}
