#include "store/reminderobject.h"
#include "support/storefixture.h"

#include <vector>

namespace {

const QDate kToday(2026, 12, 6);

// Also records the list rebuilds the reminder asks for.
class ReminderServices final : public FakeServices
{
public:
    std::vector<TTreeNode *> reselected;
    void ReselectNode(TTreeNode *node) override { reselected.push_back(node); }
};

// Root "My Contacts" > folder F > folder P, with today pinned.
class ReminderTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        context().SetToday(kToday);
        context().SetServices(&reminderServices);
        reminderServices.editAnswer = false;
        folder = add(ItemKind::Folder, "F", root, {}, "{Fold}0", 101)->Node();
        person = add(ItemKind::Folder, "P", folder, {}, "{Fold}0", 102)->Node();
    }
    TReminderObject *Remind(const QString &dataLine, TTreeNode *owner = nullptr)
    {
        auto *item = CreateItem(ItemKind::Reminder, "Renewal", "old text", "note", owner ? owner : person, dataLine, 55);
        return dynamic_cast<TReminderObject *>(item);
    }

    static QString Rule(const QDate &d, int mode)
    {
        return QStringLiteral("{Remd}%1,%2,%3,%4~~0").arg(d.year()).arg(d.month()).arg(d.day()).arg(mode);
    }

    ReminderServices reminderServices;
    TTreeNode *folder = nullptr;
    TTreeNode *person = nullptr;
};

} // namespace

TEST_F(ReminderTest, RecordRoundTripsThroughTheFactory)
{
    TReminderObject *r = Remind("{Remd}1998,3,15,2~~5");
    EXPECT_EQ(r->Recurrence().GetDate(), QDate(1998, 3, 15));
    EXPECT_FALSE(r->Recurrence().UseToday); // the dialog opens on the stored date

    // A new reminder: today's date, no rule, and not marked until its dialog is accepted.
    TReminderObject *fresh = Remind("");
    EXPECT_FALSE(fresh->Alert());
    EXPECT_EQ(fresh->GetRecordText(1), "{1 9 }Renewal~~old text~~note~~55\r\n{Remd}2026,12,6,0~~0");
}

TEST_F(ReminderTest, UnreadableRuleIsWrittenBackUntilTheRuleChanges)
{
    TReminderObject *r = Remind("{Remd}1998,x,15,2~~3");
    EXPECT_EQ(r->GetRecordText(1), "{1 9 }Renewal~~old text~~note~~55\r\n{Remd}1998,x,15,2~~3");
    for (const char *line : {"{Remd}1998,3~~0", "{Remd}1998,2,30,1~~0"})
        EXPECT_TRUE(Remind(line)->GetRecordText(1).endsWith(QString("\r\n") + line)) << line;

    r->AdvanceDate();
    EXPECT_TRUE(r->GetRecordText(1).endsWith("\r\n{Remd}2026,12,7,0~~3"));
}

TEST_F(ReminderTest, DueRemindersMarkTheirContainersAndFutureOnesDoNot)
{
    TReminderObject *r = Remind(Rule(kToday, 0));
    EXPECT_TRUE(r->Alert());
    EXPECT_EQ(r->GetImageIndex(), 11);
    EXPECT_EQ(folder->Item()->AlertCount(), 1);
    EXPECT_EQ(root->Item()->AlertCount(), 0);

    // A second due reminder in the folder counts there only.
    Remind(Rule(kToday.addYears(-3), 2), folder);
    EXPECT_EQ(folder->Item()->AlertCount(), 2);
    EXPECT_EQ(person->Item()->AlertCount(), 1);
    person->Item()->RemoveChild(r);
    EXPECT_EQ(person->StateIndex(), StateImageIndex(StateImage::None));
    EXPECT_EQ(folder->Item()->AlertCount(), 1);

    TReminderObject *future = Remind(Rule(kToday.addDays(1), 0));
    EXPECT_FALSE(future->Alert());
    EXPECT_EQ(future->GetImageIndex(), 9);
    EXPECT_EQ(person->Item()->AlertCount(), 0);
}

TEST_F(ReminderTest, AdvancingPastTodayClearsTheMarkAndAnAdvanceThatCannotBeMadeLeavesIt)
{
    TReminderObject *r = Remind(Rule(kToday.addDays(-1), 0));
    ASSERT_TRUE(r->Alert());
    r->AdvanceDate();
    EXPECT_EQ(r->Recurrence().GetDate(), kToday);
    EXPECT_TRUE(r->Alert()) << "due on its own date";
    EXPECT_EQ(r->Value(), r->Recurrence().GetDateText());
    r->AdvanceDate();
    EXPECT_FALSE(r->Alert());
    EXPECT_EQ(folder->Item()->AlertCount(), 0);
    EXPECT_EQ(reminderServices.reselected, (std::vector<TTreeNode *>{person, person}));

    // February has no 31st: the reminder moves on to March's, due until then.
    TReminderObject *monthEnd = Remind("{Remd}2026,1,31,1~~0");
    monthEnd->AdvanceDate();
    EXPECT_EQ(monthEnd->Recurrence().GetRule(), "2026,3,31,1");
    EXPECT_TRUE(monthEnd->Alert());
    EXPECT_TRUE(reminderServices.infos.isEmpty());

    // Only the end of the calendar stops a rule, and the user hears of it.
    TReminderObject *stuck = Remind("{Remd}9999,12,15,1~~0");
    const auto reselects = reminderServices.reselected.size();
    stuck->AdvanceDate();
    EXPECT_EQ(stuck->Recurrence().GetRule(), "9999,12,15,1");
    EXPECT_FALSE(stuck->Alert());
    EXPECT_EQ(reminderServices.infos, QStringList{TReminderObject::CannotAdvanceText()});
    EXPECT_EQ(reminderServices.reselected.size(), reselects);
}

TEST_F(ReminderTest, EditingToAnEarlierDateMarksTheReminder)
{
    TReminderObject *r = Remind(Rule(kToday.addMonths(2), 1));
    ASSERT_FALSE(r->Alert());
    reminderServices.onEdit = [](TZEBObject &item, bool) {
        auto &reminder = dynamic_cast<TReminderObject &>(item);
        TRecurringDate edited = reminder.Recurrence();
        edited.SetDate(kToday.addDays(-2));
        return reminder.ApplyDialog("Renewal", "note", edited);
    };
    r->Open();
    EXPECT_EQ(reminderServices.calls, QStringList{"edit Renewal|existing"});
    EXPECT_TRUE(r->Alert());
    EXPECT_EQ(person->Item()->AlertCount(), 1);
    EXPECT_EQ(reminderServices.reselected, std::vector<TTreeNode *>{person});
}
