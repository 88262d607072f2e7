#include "exchange/report/reportrows.h"

#include "store/addressobject.h"
#include "store/personobject.h"
#include "support/storefixture.h"

#include <QCollator>
#include <QLocale>

namespace {

class ReportRowsTest : public StoreFixture
{
protected:
    TZEBObject *person(TTreeNode *owner, const QString &title, const QString &first, const QString &last)
    {
        auto *p = static_cast<TPersonObject *>(add(ItemKind::Person, title, owner));
        p->SetFirstName(first);
        p->SetLastName(last);
        p->SetValue(ComposeFullName({}, first, last));
        return p;
    }
    TAddressObject *address(TZEBObject *owner, const QString &title, const QStringList &lines, const QString &city,
                            const QString &state, const QString &postal, const QString &country)
    {
        auto *a = static_cast<TAddressObject *>(add(ItemKind::Address, title, owner->Node(), lines.value(0)));
        a->SetLines(lines);
        a->SetCity(city);
        a->SetState(state);
        a->SetPostalCode(postal);
        a->SetCountry(country);
        if (auto *contact = dynamic_cast<TContactObject *>(owner))
            contact->SetPrimaryAddress(title);
        return a;
    }
};

QStringList names(const std::vector<AddressBookEntry> &entries)
{
    QStringList all;
    for (const AddressBookEntry &e : entries)
        all << e.group + QLatin1Char('|') + e.name;
    return all;
}

} // namespace

TEST_F(ReportRowsTest, AddressLinesLeaveOutEmptyParts)
{
    TZEBObject *f = add(ItemKind::Folder, "F", root);
    TAddressObject *full = address(f, "Home", {"9 Orchard Lane", "", "Apt 2"}, "Madison", "WI", "53703", "USA");
    EXPECT_EQ(PostalLines(*full), (QStringList{"9 Orchard Lane", "Apt 2", "Madison, WI", "53703 USA"}));
    TAddressObject *noCity = address(f, "Box", {"PO Box 4"}, "", "WI", "", "USA");
    EXPECT_EQ(PostalLines(*noCity), (QStringList{"PO Box 4", "WI", "USA"}));
    TAddressObject *cityOnly = address(f, "Town", {" "}, "Madison", "", "53703", "");
    EXPECT_EQ(PostalLines(*cityOnly), (QStringList{"Madison", "53703"}));
    TAddressObject *empty = address(f, "None", {}, "", "", "", "");
    EXPECT_TRUE(PostalLines(*empty).isEmpty());
    EXPECT_EQ(DeliveryLines("  Ada Brennan ", noCity), (QStringList{"Ada Brennan", "PO Box 4", "WI", "USA"}));
    EXPECT_EQ(DeliveryLines("", nullptr), QStringList());

    // The envelope goes to the chosen address, else the primary one, else the first one.
    TZEBObject *ada = person(f->Node(), "Ada B.", "Ada", "Brennan");
    TAddressObject *work = address(ada, "Work", {"9 Orchard Lane"}, "Madison", "WI", "", "");
    TAddressObject *home = address(ada, "Home", {"1 Elm St"}, "", "", "", "");
    static_cast<TContactObject *>(ada)->SetPrimaryAddress("Work");
    EXPECT_EQ(DeliveryFor(*ada), (QStringList{"Ada Brennan", "9 Orchard Lane", "Madison, WI"}));
    EXPECT_EQ(DeliveryFor(*ada, home), (QStringList{"Ada Brennan", "1 Elm St"}));
    EXPECT_EQ(DeliveryFor(*ada, ada), DeliveryFor(*ada));
    EXPECT_EQ(DeliveryFor(*f), (QStringList{"F", "9 Orchard Lane", "Apt 2", "Madison, WI", "53703 USA"}));
    Q_UNUSED(work);
    EXPECT_TRUE(DeliveryFor(*root->Item()).isEmpty());
    EXPECT_EQ(DeliveryFor(*person(root, "Theo Marsh", "Theo", "Marsh")), QStringList{"Theo Marsh"});
}

TEST_F(ReportRowsTest, LabelsComeInTreeOrderFromContactsAndLooseAddresses)
{
    TZEBObject *f = add(ItemKind::Folder, "Cards", root);
    TZEBObject *ada = person(f->Node(), "Ada Brennan", "Ada", "Brennan");
    address(ada, "Work", {"9 Orchard Lane"}, "", "", "53703", "USA");
    person(f->Node(), "Theo Marsh", "Theo", "Marsh");
    TZEBObject *org = add(ItemKind::Organization, "Northwind", f->Node());
    address(org, "Office", {"120 Harbour Road"}, "Portland", "OR", "97201", "USA");
    address(f, "Cabin", {"Lake Road 1"}, "Ely", "MN", "", "");
    TZEBObject *team = add(ItemKind::Team, "Team", f->Node());
    address(team, "Desk", {"2 Side St"}, "", "", "", "");
    // Addresses of a person other than the primary one make no label of their own.
    address(ada, "Old", {"Gone 1"}, "", "", "", "");
    static_cast<TContactObject *>(ada)->SetPrimaryAddress("Work");

    const std::vector<QStringList> labels = LabelTexts(f->Node());
    // The folder's own addresses, then its nodes in tree order.
    ASSERT_EQ(labels.size(), 5u);
    EXPECT_EQ(labels[0], (QStringList{"Cabin", "Lake Road 1", "Ely, MN"}));
    // No city: no city line, but still the postal code line.
    EXPECT_EQ(labels[1], (QStringList{"Ada Brennan", "9 Orchard Lane", "53703 USA"}));
    EXPECT_EQ(labels[2], (QStringList{"Northwind", "120 Harbour Road", "Portland, OR", "97201 USA"}));
    EXPECT_EQ(labels[3], (QStringList{"Desk", "2 Side St"}));
    EXPECT_EQ(labels[4], (QStringList{"Theo Marsh"}));

    // Printing the last child container prints nothing of its siblings.
    EXPECT_EQ(LabelTexts(team->Node()).size(), 1u);

    // What the category filter hides is left out, containers and leaves alike.
    org->SetCategories(2);
    services.filter = [](qint32 categories) { return categories == 2; };
    EXPECT_EQ(LabelTexts(f->Node()).size(), 4u);
}

TEST_F(ReportRowsTest, AddressBookFilesByNameWithCollatedGroups)
{
    TZEBObject *f = add(ItemKind::Folder, "Book", root);
    person(f->Node(), "Zed Zorn", "Zed", "Zorn");
    TZEBObject *adams = person(f->Node(), "ann adams", "ann", "adams");
    address(adams, "Home", {"1 Elm St"}, "Salem", "", "97301", "");
    person(f->Node(), QString::fromUtf8("Britt Åberg"), "Britt", QString::fromUtf8("Åberg"));
    person(f->Node(), "Cher", "Cher", "");
    person(f->Node(), "Dr. Who", "", "");
    add(ItemKind::Organization, "Acme", f->Node());
    add(ItemKind::Phone, "Zeta hotline", f->Node(), "555-0190");
    add(ItemKind::EMail, "Not filed", f->Node(), "x@example.com");

    const std::vector<AddressBookEntry> entries = AddressBookEntries(f->Node(), QCollator(QLocale(QLocale::English)));
    EXPECT_EQ(names(entries), (QStringList{"A|Acme", "A|adams, ann", QString::fromUtf8("Å|Åberg, Britt"), "C|Cher",
                                           "D|Dr. Who", "Z|Zeta hotline", "Z|Zorn, Zed"}));
    EXPECT_EQ(entries[1].address, (QStringList{"1 Elm St", "Salem", "97301"}));
    EXPECT_EQ(entries[5].phone, "555-0190");
    EXPECT_TRUE(entries[5].address.isEmpty());

    // Where the language files Å after Z, so do the groups.
    const std::vector<AddressBookEntry> swedish = AddressBookEntries(f->Node(), QCollator(QLocale(QLocale::Swedish)));
    EXPECT_EQ(swedish.back().group, QString::fromUtf8("Å"));
}

TEST_F(ReportRowsTest, ListingAndSimpleRowsFollowTheTree)
{
    TZEBObject *f = add(ItemKind::Folder, "List", root);
    TZEBObject *ada = person(f->Node(), "Ada Brennan", "Ada", "Brennan");
    address(ada, "Work", {"9 Orchard Lane"}, "Madison", "WI", "53703", "USA");
    TZEBObject *phone = add(ItemKind::Phone, "Office", ada->Node(), "(608) 555-0188");
    static_cast<TContactObject *>(ada)->SetPrimaryPhone(phone->Title());
    add(ItemKind::Organization, "Northwind", f->Node());

    const std::vector<ListingRow> rows = ListingRows(f->Node());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].contact, "Ada Brennan");
    EXPECT_EQ(rows[0].address, (QStringList{"9 Orchard Lane", "Madison, WI", "53703 USA"}));
    EXPECT_EQ(rows[0].phone, "(608) 555-0188");
    EXPECT_TRUE(rows[1].address.isEmpty());
    EXPECT_TRUE(rows[1].phone.isEmpty());

    const std::vector<SimpleRow> simple = SimpleRows(f->Node());
    QStringList titles;
    for (const SimpleRow &r : simple)
        titles << r.title;
    EXPECT_EQ(titles, (QStringList{"List", "Ada Brennan", "Work", "Office", "Northwind"}));
}

TEST_F(ReportRowsTest, RemindersOfTheRangeByDate)
{
    TZEBObject *f = add(ItemKind::Folder, "Dates", root);
    TZEBObject *ada = person(f->Node(), "Ada Brennan", "Ada", "Brennan");
    auto reminder = [&](TZEBObject *owner, const QString &title, const QDate &date) {
        auto *r = static_cast<TReminderObject *>(add(ItemKind::Reminder, title, owner->Node()));
        r->Recurrence().SetDate(date);
        return r;
    };
    reminder(ada, "Birthday", QDate(2026, 12, 20));
    reminder(f, "Renewal", QDate(2026, 12, 10));
    reminder(f, "Too late", QDate(2027, 1, 2));
    reminder(ada, "Too early", QDate(2026, 11, 30));

    const std::vector<ReminderRow> rows = ReminderRows(f->Node(), QDate(2026, 12, 1), QDate(2026, 12, 31));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].reminder, "Renewal");
    EXPECT_EQ(rows[0].contact, "Dates");
    EXPECT_EQ(rows[1].reminder, "Birthday");
    EXPECT_EQ(rows[1].contact, "Ada Brennan (Ada Brennan)");
    EXPECT_TRUE(ReminderRows(f->Node(), QDate(2026, 12, 21), QDate(2026, 12, 22)).empty());
}
