#include "exchange/reminderreport.h"
#include "store/categorynames.h"
#include "support/storefixture.h"

namespace {

// Root (0) > Kim (1, value "Sales") > Team (2); root > Lee (3).
class ReminderReportTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        context().SetToday(QDate(2026, 12, 6));
        kim = add(ItemKind::Person, "Kim", root, "Sales")->Node();
        team = add(ItemKind::Team, "Team", kim)->Node();
        lee = add(ItemKind::Person, "Lee", root)->Node();
    }
    TZEBObject *remind(TTreeNode *owner, const QString &title, const QDate &d, qint32 categories = 0)
    {
        TZEBObject *r = add(ItemKind::Reminder, title, owner, {},
                            QStringLiteral("{Remd}%1,%2,%3,0~~%4").arg(d.year()).arg(d.month()).arg(d.day()).arg(categories));
        r->SetComment(title + " note");
        return r;
    }
    static QStringList titles(const std::vector<ReminderReportRow> &rows)
    {
        QStringList out;
        for (const auto &row : rows)
            out << row.Reminder;
        return out;
    }

    TTreeNode *kim = nullptr, *team = nullptr, *lee = nullptr;
};

} // namespace

TEST_F(ReminderReportTest, RowsOfTheRangeSortedByDateWithTheirContact)
{
    remind(lee, "Late", QDate(2027, 1, 10));
    remind(kim, "Renewal", QDate(2027, 1, 5));
    remind(team, "Party", QDate(2027, 1, 5));
    remind(kim, "Outside", QDate(2027, 2, 1));
    add(ItemKind::Phone, "Not a reminder", kim, "555");

    const auto rows = ReminderReportRows(nodes, 0, 3, QDate(2027, 1, 5), QDate(2027, 1, 31));
    EXPECT_EQ(titles(rows), (QStringList{"Renewal", "Party", "Late"})); // one day in tree order
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Contact, "Kim (Sales)");
    EXPECT_EQ(rows[1].Contact, "Team");
    EXPECT_EQ(rows[0].Comment, "Renewal note");
    EXPECT_EQ(rows[0].date, QDate(2027, 1, 5));
    EXPECT_EQ(rows[0].Date, QLocale().toString(QDate(2027, 1, 5), QLocale::ShortFormat));

    // Only the nodes asked for; a reversed date range gives nothing.
    EXPECT_EQ(titles(ReminderReportRows(nodes, 2, 2, QDate(2027, 1, 1), QDate(2027, 12, 31))), QStringList{"Party"});
    EXPECT_TRUE(ReminderReportRows(nodes, 0, 3, QDate(2027, 2, 1), QDate(2027, 1, 1)).empty());
}

TEST_F(ReminderReportTest, TheCategoryFilterLeavesRowsOut)
{
    remind(kim, "Family", QDate(2027, 1, 5), CategoryBit(1));
    remind(kim, "Work", QDate(2027, 1, 6), CategoryBit(2));
    services.filter = [](qint32 categories) { return (categories & CategoryBit(1)) == 0; };
    EXPECT_EQ(titles(ReminderReportRows(nodes, 0, 3, QDate(2027, 1, 1), QDate(2027, 1, 31))), QStringList{"Family"});
}
