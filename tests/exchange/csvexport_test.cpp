#include "exchange/csvexport.h"

#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

using CsvExportTest = StoreFixture;

TEST_F(CsvExportTest, ExportedCsvFollowsTheColumnList)
{
    TZEBObject *f = add(ItemKind::Folder, "F", root);
    TZEBObject *p = CreateItem(ItemKind::Person, "Pat", {}, {}, f->Node(), "{Pers}~~Pat~~~~Lee~~~~~~~~~~~~0", 2);
    CreateItem(ItemKind::Phone, "Home", "555-0100", {}, p->Node(), "{Phon}~~0", 3);
    CreateItem(ItemKind::Phone, "Work", "555 \"0200\"", {}, p->Node(), "{Phon}x12~~0", 4);
    CreateItem(ItemKind::Phone, "Desk", "1", {}, f->Node(), "{Phon}~~0", 5);
    CreateItem(ItemKind::EMail, "Mail", "a@b", {}, p->Node(), "{Mail}0", 6);

    CsvExportOptions phones{ItemKind::Phone, {"Title", "Phone Number", "Extension"}, true};
    ExportCsv(f->Node(), "phones.csv", phones);
    const QByteArray rows = CrLf({"\"Desk\",\"1\",\"\"", "\"Home\",\"555-0100\",\"\"",
                                  "\"Work\",\"555 \"\"0200\"\"\",\"x12\""});
    EXPECT_EQ(ReadBytes("phones.csv"), CrLf({"Title,\"Phone Number\",Extension"}) + rows);
    phones.includeFieldNames = false;
    ExportCsv(f->Node(), "bare.csv", phones);
    EXPECT_EQ(ReadBytes("bare.csv"), rows);

    EXPECT_THROW(ExportCsv(f->Node(), "no/such/dir/x.csv", phones), EInOutError);
}
