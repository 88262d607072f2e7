// Finding a caller's number in the tree: digits only, round from the start node.
#include "store/phonesearch.h"
#include "support/storefixture.h"

class PhoneSearch : public StoreFixture
{
};

TEST_F(PhoneSearch, FindsByDigitsAfterTheStartAndWrapsRound)
{
    TZEBObject *friends = add(ItemKind::Folder, "Friends", nullptr);
    TZEBObject *ann = add(ItemKind::Person, "Ann", friends->Node());
    TZEBObject *bob = add(ItemKind::Person, "Bob", friends->Node());
    TZEBObject *annPhone = add(ItemKind::Phone, "Home", ann->Node(), "(212) 555-1234");
    TZEBObject *bobFax = add(ItemKind::Fax, "Fax", bob->Node(), "212.555.1234");
    add(ItemKind::EMail, "Mail", bob->Node(), "2125551234@example.org"); // not a number

    PhoneHit hit = LocatePhone(nodes, nullptr, "212-555-1234");
    EXPECT_EQ(hit.node, ann->Node());
    EXPECT_EQ(hit.item, annPhone);
    // From Ann on, the next is Bob's fax; from Bob, round again to Ann.
    hit = LocatePhone(nodes, ann->Node(), "2125551234");
    EXPECT_EQ(hit.item, bobFax);
    hit = LocatePhone(nodes, bob->Node(), "2125551234");
    EXPECT_EQ(hit.item, annPhone);
    // The start node itself comes last.
    hit = LocatePhone(nodes, ann->Node(), "(212) 555 1234 ext");
    EXPECT_EQ(hit.item, bobFax);
    EXPECT_FALSE(LocatePhone(nodes, nullptr, "555-1234").node); // all digits must match
}

TEST_F(PhoneSearch, OnlyTheStartHoldsIt)
{
    TZEBObject *ann = add(ItemKind::Person, "Ann", nullptr);
    TZEBObject *phone = add(ItemKind::Phone, "Home", ann->Node(), "555 0100");
    EXPECT_EQ(LocatePhone(nodes, ann->Node(), "5550100").item, phone);
}

TEST_F(PhoneSearch, NoDigitsNoSearch)
{
    add(ItemKind::Phone, "Blank", nullptr, "");
    add(ItemKind::Phone, "Words", nullptr, "call reception");
    for (const QString &number : {QString(), QStringLiteral("*Private"), QStringLiteral("None")})
        EXPECT_FALSE(LocatePhone(nodes, nullptr, number).item) << number.toStdString();
}
