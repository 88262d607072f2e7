#include "recordfiletestutil.h"
#include "store/duedaywatch.h"
#include "store/reminderobject.h"
#include "support/storefixture.h"

#include <QSignalSpy>

namespace {

const QDate kToday(2026, 12, 6);

// Home > Kim with reminders waiting in the file (one due tomorrow, one in two days),
// and a reminder made at once below Home, due tomorrow.
class DueDayTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        context().SetToday(kToday);
        db = std::make_unique<Loaded>(CrLf({"{Params}", "{1 0 }Home~~~~~~1", "{Fold}0", "{2 3 }Kim~~~~~~2",
                                            "{Pers}~~Kim~~~~Lee~~~~~~~~~~~~0", "{3 9 }Tomorrow~~~~~~3",
                                            "{Remd}2026,12,7,1~~0", "{3 6 }Phone~~5~~~~4", "{Phon}~~0",
                                            "{3 9 }Later~~~~~~5", "{Remd}2026,12,8,0~~0"}),
                                      &context());
        home = db->top(0);
        kim = home->Child(0);
        made = dynamic_cast<TReminderObject *>(
            CreateItem(ItemKind::Reminder, "Made", {}, {}, home, "{Remd}2026,12,7,0~~0", 6));
    }
    void setDay(const QDate &day) { db->nodes.Context().SetToday(day); }

    std::unique_ptr<Loaded> db;
    TTreeNode *home = nullptr, *kim = nullptr;
    TReminderObject *made = nullptr;
};

} // namespace

TEST_F(DueDayTest, ANewDayMarksRemindersMadeAndWaitingWithoutMakingThem)
{
    ASSERT_NE(kim->Item()->Pending(), nullptr);
    ASSERT_EQ(home->Item()->AlertCount(), 0);

    setDay(kToday.addDays(1));
    EXPECT_EQ(RecheckDueStates(db->nodes), 2);
    EXPECT_NE(kim->Item()->Pending(), nullptr) << "waiting records stay waiting";
    EXPECT_TRUE(made->Alert());
    EXPECT_EQ(made->GetImageIndex(), ImageIndex(Image::DueReminder));
    EXPECT_EQ(kim->Item()->AlertCount(), 1);
    EXPECT_EQ(home->Item()->AlertCount(), 2);
    EXPECT_EQ(kim->StateIndex(), StateImageIndex(StateImage::Alert));
    EXPECT_EQ(RecheckDueStates(db->nodes), 0) << "the same day changes nothing";

    setDay(kToday.addDays(2));
    RecheckDueStates(db->nodes);
    EXPECT_EQ(kim->Item()->AlertCount(), 2);
    EXPECT_EQ(home->Item()->AlertCount(), 3);

    // Made now, the records count themselves as the walk counted them.
    ASSERT_EQ(kim->Item()->ChildCount(), 3);
    EXPECT_EQ(kim->Item()->AlertCount(), 2);
    EXPECT_EQ(home->Item()->AlertCount(), 3);

    // A clock set back takes the marks away again.
    setDay(kToday);
    RecheckDueStates(db->nodes);
    EXPECT_EQ(home->Item()->AlertCount(), 0);
    EXPECT_EQ(kim->StateIndex(), StateImageIndex(StateImage::None));
}

TEST_F(DueDayTest, TheWatchRedoesTheMarksOnlyWhenTheDayChanged)
{
    DueDayWatch watch(db->nodes);
    QSignalSpy changed(&watch, &DueDayWatch::dayChanged);
    EXPECT_FALSE(watch.Check());
    EXPECT_FALSE(made->Alert());

    setDay(kToday.addDays(1)); // midnight passed, or the machine resumed on a later day
    EXPECT_TRUE(watch.Check());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(made->Alert());
    EXPECT_EQ(home->Item()->AlertCount(), 2);
    EXPECT_FALSE(watch.Check());
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(DueDayTest, TheDialogsOkCommitsRuleValueAndMarkTogether)
{
    TReminderObject *r = made;
    const QString valueBefore = r->Value();
    TRecurringDate edited = r->Recurrence(); // what the dialog works on
    edited.SetDate(kToday.addDays(-1));
    edited.RecurMode = TRecurringDate::Yearly;
    ASSERT_TRUE(edited.Advance());
    EXPECT_EQ(r->Recurrence().GetRule(), "2026,12,7,0") << "the copy is not the reminder's rule";
    EXPECT_EQ(r->Value(), valueBefore);

    // An empty title changes nothing, the rule included.
    EXPECT_FALSE(r->ApplyDialog("  ", "c", edited));
    EXPECT_EQ(r->Recurrence().GetRule(), "2026,12,7,0");

    edited.SetDate(kToday.addDays(-1));
    ASSERT_TRUE(r->ApplyDialog("Paid", "c", edited));
    EXPECT_EQ(r->Recurrence().GetRule(), "2026,12,5,2");
    EXPECT_EQ(r->Value(), r->Recurrence().GetDateText());
    EXPECT_TRUE(r->Alert());
    EXPECT_EQ(home->Item()->AlertCount(), 1);
    EXPECT_EQ(r->Title(), "Paid");
    EXPECT_EQ(r->Comment(), "c");
}
