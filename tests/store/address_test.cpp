#include "store/addressobject.h"
#include "store/recordfile.h"
#include "support/storefixture.h"

namespace {

class AddressTest : public StoreFixture
{
protected:
    TAddressObject *address(const QString &dataLine, const QString &title = QStringLiteral("Home"))
    {
        return dynamic_cast<TAddressObject *>(add(ItemKind::Address, title, root, "1 Main St", dataLine, 5150));
    }
};

} // namespace

TEST_F(AddressTest, FiveLinesStayInMemoryButThreeAreSaved)
{
    TZEBObject *folder = add(ItemKind::Folder, "F", root, {}, "{Fold}0", 11);
    auto *a = dynamic_cast<TAddressObject *>(add(ItemKind::Address, "Home", folder->Node(), "L1", {}, 12));
    TAddressObject::DialogValues v;
    v.Title = "Home";
    v.Lines = {"L1", "L2", "", "L4", "L5"};
    v.City = "C";
    v.PostalCode = "P";
    v.Country = "N";
    ASSERT_TRUE(a->ApplyDialog(v, false));
    EXPECT_EQ(a->GetText(), "L1\r\nL2\r\nL4\r\nL5\r\nC,  P\r\nN\r\n");

    SaveDatabase(nodes);
    nodes.DeleteChildren(root);
    LoadDatabase(root);
    auto *loaded = dynamic_cast<TAddressObject *>(root->Child(0)->Item()->ChildAt(0));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetText(), "L1\r\nL2\r\nC,  P\r\nN\r\n");
}

TEST_F(AddressTest, TextWritesTheCommaEvenWhenPartsAreEmpty)
{
    TAddressObject *a = address("{Addr}L~~~~~~C~~~~P~~N~~0");
    EXPECT_EQ(a->GetText(), "L\r\nC,  P\r\nN\r\n");
    EXPECT_EQ(address("{Addr}")->GetText(), ",  \r\n\r\n");
    // The street goes in the street component; a separator in a value is escaped.
    EXPECT_EQ(a->GetVCardLine(), "ADR:;;L;C;;P;N");
    TAddressObject *b = address("{Addr}12 Main St, Apt 4~~~~Rear; left~~C~~~~P~~N~~0");
    EXPECT_EQ(b->GetVCardLine(), "ADR:;;12 Main St\\, Apt 4\\n\\nRear\\; left;C;;P;N");
}

TEST_F(AddressTest, CsvImportAndCells)
{
    TAddressObject *a = address({}, "New");
    ASSERT_TRUE(a->ImportFields({"9 Elm", "Rear", "Oslo", "0150", "Norway"},
                                {"Address Line 1", "Address Line 3", "City", "Postal Code", "Country"}));
    EXPECT_EQ(a->Title(), "New Address");
    EXPECT_EQ(a->Value(), "9 Elm");
    // Line 3 follows line 1 directly when line 2 is missing.
    EXPECT_EQ(a->Lines(), QStringList({"9 Elm", "Rear", ""}));
    EXPECT_EQ(a->GetFieldCSV("Address Line 2"), "\"Rear\",");
    EXPECT_EQ(a->GetFieldCSV("State/Province"), "\"\",");
    EXPECT_EQ(a->GetFieldCSV("Fax Number"), "");

    EXPECT_FALSE(address({}, "New")->ImportFields({"Home", "Oslo"}, {"Title", "City"}));
    EXPECT_FALSE(address({}, "New")->ImportFields({"Home", ""}, {"Title", "Address Line 1"}));
    EXPECT_FALSE(address({}, "New")->ImportFields({"", "9 Elm"}, {"Title", "Address Line 1"}));
}
