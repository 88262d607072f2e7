#include "exchange/csvexport.h"
#include "exchange/csvimport.h"

#include "store/addressobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

namespace {

class CsvImportTest : public StoreFixture
{
protected:
    ImportNotes import(const QByteArray &bytes, DelimitedImportOptions options = {})
    {
        WriteBytes("in.csv", bytes);
        return ImportDelimited(root, "in.csv", options);
    }
    TPersonObject *person(int row) { return dynamic_cast<TPersonObject *>(root->Child(row)->Item()); }
    // "kind title=value" of the leaf children and then the child nodes.
    static QStringList children(const TZEBObject *item)
    {
        QStringList out;
        for (int i = 0; i < item->ChildCount(); ++i)
            out << QStringLiteral("%1 %2=%3").arg(int(item->ChildAt(i)->Kind())).arg(item->ChildAt(i)->Title(),
                                                                                    item->ChildAt(i)->Value());
        for (int i = 0; i < item->Node()->Count(); ++i)
            out << QStringLiteral("%1 %2=%3").arg(int(item->Node()->Child(i)->Item()->Kind()))
                       .arg(item->Node()->Child(i)->Item()->Title(), item->Node()->Child(i)->Item()->Value());
        return out;
    }
    static DelimitedImportOptions byFields(const QStringList &fields, QChar separator = u',')
    {
        DelimitedImportOptions o;
        o.fields = fields;
        o.separator = separator;
        return o;
    }
};

// A spreadsheet's export: byte-order mark, the program's own header, a quoted line break
// in the street, doubled quotes in the comment, CR LF.
const QByteArray kOwnExport = "\xEF\xBB\xBF"
                              "Title,\"First Name\",\"Last Name\",\"Address Line 1\",City,\"Phone Number\",Comment\r\n"
                              "\"Kim Park\",Kim,Park,\"12 Main St\",Springfield,555-0100,\"says \"\"hi\"\"\r\ntwice\"\r\n"
                              "\"Berg, Joakim\",Joakim,Berg,,,,\r\n";

TEST_F(CsvImportTest, AnExportWithItsHeaderImportsEveryFieldAndNoHeaderPerson)
{
    const ImportNotes notes = import(kOwnExport);
    EXPECT_EQ(notes.made, 2);
    EXPECT_EQ(ImportShortfall(notes), QString());
    ASSERT_EQ(root->Count(), 2);
    // The tree keeps its containers in title order.
    TPersonObject *kim = person(1);
    ASSERT_NE(kim, nullptr);
    EXPECT_EQ(kim->Title(), "Kim Park");
    EXPECT_EQ(kim->FirstName(), "Kim");
    EXPECT_EQ(kim->LastName(), "Park");
    EXPECT_EQ(kim->Comment(), "says \"hi\"\r\ntwice");
    EXPECT_EQ(children(kim), (QStringList{"5 Primary Address=12 Main St", "6 Primary Phone=555-0100"}));
    auto *address = static_cast<TAddressObject *>(kim->ChildAt(0));
    EXPECT_EQ(address->City(), "Springfield");
    EXPECT_EQ(address->Comment(), "");
    EXPECT_EQ(kim->PrimaryPhone(), "Primary Phone");
    TPersonObject *joakim = person(0);
    EXPECT_EQ(joakim->Title(), "Berg, Joakim");
    EXPECT_TRUE(children(joakim).isEmpty());
}

TEST_F(CsvImportTest, TheHeaderChoiceCanBeOverruled)
{
    const QByteArray file = "First Name,Last Name\r\nKim,Park\r\n";
    // Found by itself: the header is no person.
    EXPECT_EQ(import(file, byFields({"First Name", "Last Name"})).made, 1);
    ASSERT_EQ(root->Count(), 1);
    EXPECT_EQ(person(0)->Title(), "Kim Park");
    // Read as data when the user says so.
    DelimitedImportOptions asData = byFields({"First Name", "Last Name"});
    asData.header = DelimitedImportOptions::Header::No;
    EXPECT_EQ(import(file, asData).made, 2);
    EXPECT_EQ(root->Count(), 3);
    EXPECT_EQ(person(0)->Title(), "First Name Last Name");
    // Fields over a header: the header is passed over, the columns are taken by position.
    DelimitedImportOptions fields = byFields({"Last Name", "First Name"});
    fields.fieldsOverHeader = true;
    import("Title,Comment\r\nStone,Kimberly\r\n", fields);
    ASSERT_EQ(root->Count(), 4);
    EXPECT_EQ(person(3)->Title(), "Kimberly Stone");
}

TEST_F(CsvImportTest, TabTextKeepsTheCommasOfItsValues)
{
    import("Park\tKim\t12 Main St, Apt 4\tSpringfield, IL\r\n",
           byFields({"Last Name", "First Name", "Address Line 1", "City"}, u'\t'));
    ASSERT_EQ(root->Count(), 1);
    auto *address = static_cast<TAddressObject *>(person(0)->ChildAt(0));
    EXPECT_EQ(address->Lines().value(0), "12 Main St, Apt 4");
    EXPECT_EQ(address->City(), "Springfield, IL");
}

TEST_F(CsvImportTest, OtherRecordTypesAndAMailClientsExport)
{
    DelimitedImportOptions phones = byFields({"Title", "Phone Number", "Comment"});
    phones.kind = ItemKind::Phone;
    const ImportNotes notes = import("Desk,555-1,front\r\nNo number,,\r\n", phones);
    EXPECT_EQ(notes.made, 1);
    EXPECT_EQ(notes.skipped, 1);
    ASSERT_EQ(root->Item()->ChildCount(), 1);
    EXPECT_EQ(root->Item()->ChildAt(0)->Title(), "Desk");
    EXPECT_EQ(root->Item()->ChildAt(0)->Comment(), "front");

    const ImportNotes tb = import("First Name,Last Name,Display Name,Nickname,Primary Email,Secondary Email,Work Phone,"
                                  "Home Phone,Fax Number,Home Address,Home City,Web Page 1,Notes\r\n"
                                  "Ann,Lee,Dr Ann Lee,annie,ann@x.org,a2@x.org,,555-9,555-8,3 Oak Rd,Salem,"
                                  "http://ann.example,met at a fair\r\n");
    EXPECT_EQ(tb.made, 1);
    TPersonObject *ann = person(0);
    EXPECT_EQ(ann->Title(), "Dr Ann Lee");
    EXPECT_EQ(ann->Comment(), "met at a fair");
    EXPECT_EQ(children(ann), (QStringList{"5 Primary Address=3 Oak Rd", "6 Primary Phone=555-9", "8 Primary Fax=555-8",
                                          "7 Primary EMail=ann@x.org", "4 Primary Website=http://ann.example"}));
}

TEST_F(CsvImportTest, AnExportReimportsToTheSameRows)
{
    const QStringList columns = {"Title", "First Name", "Last Name", "Address Line 1", "City", "Phone Number",
                                 "E-Mail Address", "Comment"};
    // The header names with a blank in quotes, as the export writes them.
    const QByteArray rows = "Title,\"First Name\",\"Last Name\",\"Address Line 1\",City,\"Phone Number\","
                            "\"E-Mail Address\",Comment\r\n"
                            "\"Joakim Berg\",\"Joakim\",\"Berg\",,,,\"jb@x.org\",\"\"\r\n"
                            "\"Kim Park\",\"Kim\",\"Park\",\"1 Elm, Unit 2\",\"Springfield\",\"555-0100\",\"kim@x.org\",\"a \"\"b\"\"\r\nc\"\r\n";
    import(rows, byFields(columns));
    ASSERT_EQ(root->Count(), 2);
    ExportCsv(root, "out.csv", CsvExportOptions{ItemKind::Person, columns, true});
    EXPECT_EQ(QString::fromUtf8(ReadBytes("out.csv")), QString::fromUtf8(rows));
}

TEST_F(CsvImportTest, HostileFilesAreRefusedWholeOrToldHowMuchWasTaken)
{
    auto refused = [this](const QByteArray &bytes) -> std::string {
        try {
            import(bytes, byFields({"First Name"}));
        } catch (const EInOutError &e) {
            return e.what();
        }
        return "accepted";
    };
    EXPECT_EQ(refused(QByteArray("Kim\r\n\x00\x01\x02\xFF junk", 12)),
              "\"in.csv\" is not a text file (it holds bytes no text has, at line 2); nothing was imported");
    EXPECT_EQ(refused(QByteArray(100 * 1024 * 1024, 'x')),
              "\"in.csv\" is larger than 64 MB, more than a file of this kind holds; nothing was imported");
    EXPECT_EQ(root->Count(), 0);

    const ImportNotes notes = import("Kim\r\nJoakim\r\n\"Ann\r\nLee\r\n", byFields({"First Name"}));
    EXPECT_EQ(notes.made, 2);
    EXPECT_EQ(ImportShortfall(notes), "2 items were imported; the record at line 3 opens a quote that the file never "
                                      "closes, so it and the rest of the file were not imported");
    EXPECT_EQ(root->Count(), 2);
    // Nothing imported from a file without a column the program knows, and it says so.
    DelimitedImportOptions none;
    none.header = DelimitedImportOptions::Header::Yes;
    EXPECT_EQ(ImportShortfall(import("Kim\r\n", none)),
              "0 items were imported; no column of the file is one the program imports");
}

TEST_F(CsvImportTest, TheHeadOfAFileIsShownForTheChoice)
{
    WriteBytes("tb.csv", "First Name,Last Name,Primary Email\r\nA,B,c@d\r\n");
    const DelimitedHead head = ReadDelimitedHead("tb.csv", u',');
    EXPECT_TRUE(head.header);
    EXPECT_EQ(head.preset, 1);
    EXPECT_EQ(head.firstRecord, (QStringList{"First Name", "Last Name", "Primary Email"}));
    WriteBytes("data.csv", "Kim,Park\r\n");
    EXPECT_FALSE(ReadDelimitedHead("data.csv", u',').header);
}

} // namespace
