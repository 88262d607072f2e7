#include "exchange/csvexport.h"
#include "exchange/csvfields.h"

#include "store/itemfactory.h"
#include "store/linescan.h"
#include "store/recordsource.h"
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

// Fields written where they lie in a record file: plain bytes between quotes, quotes
// doubled, escaped and Windows-1252 fields decoded, an empty one still a cell.
TEST(CsvRowTest, FieldsOfARecordLineBecomeQuotedCells)
{
    RecordSource source;
    source.bytes = QByteArray("Kim~~say \"hi\"~~~~~a%7E%7Eb~~\"~~M\xFCller");
    LineScan::Fields fields;
    LineScan::SplitFields(source.bytes.constBegin(), source.bytes.constEnd(), fields);
    ASSERT_EQ(fields.size(), 6);
    QByteArray bytes;
    CsvRow row(bytes);
    for (const LineScan::Field &f : fields)
        row.Field(source, f.begin, f.end);
    EXPECT_EQ(bytes, "\"Kim\",\"say \"\"hi\"\"\",\"\",\"a~~b\",\"\"\"\",\"M\xC3\xBCller\",");
    EXPECT_TRUE(row.End());
    EXPECT_TRUE(bytes.endsWith("ller\"\r\n"));
}
