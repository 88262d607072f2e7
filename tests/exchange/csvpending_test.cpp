#include "exchange/csvcolumns.h"
#include "exchange/csvexport.h"

#include "../store/recordfiletestutil.h"
#include "store/pendingleaves.h"
#include "support/storefixture.h"

namespace {

// Persons and organizations with several children of a kind, primaries naming the
// second of two, the first of two with one title, a child that is not there and a
// website node; escaped fields, quotes, UTF-8, a line in Windows-1252, an address
// whose data line has another tag, short data lines, and a person the filter hides.
const QByteArray kFile = CrLf({
    "{Params}", "{0 11 }My Contacts~~~~~~32892645",
    "{1 0 }Clients~~~~~~1", "{Fold}0",
    "{2 3 }Kim \"KK\" Lee~~~~met at~~2", "{Pers}Dr.~~Kim~~~A%7E%7EB~~Lee~~Work~~Cell~~Fax~~Mail~~Site~~0",
    "{3 5 }Home~~1 Elm~~~~10", "{Addr}1 Elm~~~~~~Elmtown~~EL~~111~~Land~~0",
    "{3 5 }Work~~2 Oak~~desk~~11", "{Addr}2 Oak~~Suite \"5\"~~~~Oaktown~~OK~~222~~L\xC3\xA4ndle~~0",
    "{3 6 }Cell~~555-0101~~~~12", "{Phon}x9~~0",
    "{3 6 }Cell~~555-0102~~second~~13", "{Phon}~~0",
    "{3 8 }Fax~~555-0199~~~~14", "{Faxs}0",
    "{3 7 }Mail~~~kim%7E@x~~~~15", "{Mail}0",
    "{3 4 }Site~~http://kim.example~~~~16", "{Webs}0",
    "{2 3 }Ann Hidden~~~~~~3", "{Pers}~~Ann~~~~Hidden~~~~Home~~~~~~~~4",
    "{3 6 }Home~~555-0300~~~~17", "{Phon}~~0",
    "{2 3 }Bo~~~~~~4", "{Pers}~~Bo~~~~~~~~~Desk%7E%7E2~~~~~~~~0",
    "{3 6 }Desk~~555-0500~~~~22", "{Phon}1~~0",
    "{3 6 }~Desk%7E%7E2~~555-0501~~~~23", "{Phon}2~~0",
    "{2 1 }Acme~~~~org note~~5", "{Orgn}HQ~~Main~~~~Sales~~~~0",
    "{3 5 }HQ~~9 Rue~~~~18", "{Xxxx}9 Rue~~~~~~Paris~~~~75000~~FR~~0",
    "{3 6 }Main~~555-0400~~~~19", "{Phon}~~0",
    "{3 7 }Sales~~sales@acme~~~~20", "{Mail}0",
    "{2 1 }M\xFCller GmbH~~~~~~6", "{Orgn}B\xFCro~~~~~~~~~~0",
    "{3 5 }B\xFCro~~Stra\xDF" "e 1~~~~21", "{Addr}Stra\xDF" "e 1~~~~~~K\xF6ln~~~~50667~~~~0",
    "{2 3 }NoKids~~~~~~7", "{Pers}~~No~~~~Kids~~Gone~~~~~~~~~~0",
    "{2 1 }Short~~~~~~8", "{Orgn}~~0",
});

class CsvPendingTest : public StoreFixture
{
protected:
    QByteArray exported(TTreeNode *node, ItemKind kind, QStringList columns)
    {
        ExportCsv(node, "out.csv", CsvExportOptions{kind, columns, false});
        return ReadBytes("out.csv");
    }
    QByteArray both(TTreeNode *node)
    {
        QStringList person = CsvRecordTypes().at(0).columns;
        person << "Extension" << "Shoe Size";
        return exported(node, ItemKind::Person, person) + exported(node, ItemKind::Organization, CsvRecordTypes().at(1).columns);
    }
};

} // namespace

// The CSV of a freshly loaded database, its leaf records still in the file, is the CSV of
// the same database once every leaf is an item and every contact has read its fields.
TEST_F(CsvPendingTest, RowsFromWaitingRecordsAreThoseOfTheMadeItems)
{
    services.filter = [](qint32 categories) { return categories == 4; };
    Loaded fresh(kFile, &context());
    QStringList waiting;
    for (TTreeNode *n = fresh.root; n; n = n->NextPreorder())
        if (n->Item()->Pending())
            waiting << n->Text();
    EXPECT_EQ(waiting.size(), 5);
    const QByteArray rows = both(fresh.root);
    for (TTreeNode *n = fresh.root; n; n = n->NextPreorder())
        EXPECT_EQ(n->Item()->Pending() != nullptr, waiting.contains(n->Text())) << n->Text().toStdString();

    Loaded made(kFile, &context());
    Describe(made.root); // every leaf made, every contact's fields read
    for (TTreeNode *n = made.top(0)->Child(0); n; n = n->NextPreorder())
        EXPECT_EQ(n->Item()->Pending(), nullptr);
    EXPECT_EQ(both(made.root), rows);

    // What both say, pinned.
    const QList<QByteArray> lines = rows.split('\n');
    ASSERT_EQ(lines.size(), 7); // 3 persons shown, 3 organizations, and the end
    EXPECT_EQ(lines[0], "\"Bo\",\"\",\"Bo\",\"\",\"\",,,,,,,,\"555-0501\",,,,\"\",\"2\",\r");
    EXPECT_EQ(lines[1], "\"Kim \"\"KK\"\" Lee\",\"Dr.\",\"Kim\",\"A~~B\",\"Lee\",\"2 Oak\",\"Suite \"\"5\"\"\",\"\","
                        "\"Oaktown\",\"OK\",\"222\",\"L\xC3\xA4ndle\",\"555-0101\",\"555-0199\",\"kim~@x\","
                        "\"http://kim.example\",\"met at\",\"x9\",\r");
    EXPECT_EQ(lines[2], "\"NoKids\",\"\",\"No\",\"\",\"Kids\",,,,,,,,,,,,\"\",,\r");
    EXPECT_EQ(lines[3], "\"Acme\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"555-0400\",,\"sales@acme\",,\"org note\"\r");
    EXPECT_EQ(lines[4], "\"M\xC3\xBCller GmbH\",\"Stra\xC3\x9F" "e 1\",\"\",\"\",\"K\xC3\xB6ln\",\"\",\"50667\",\"\",,,,,\"\"\r");
    EXPECT_EQ(lines[5], "\"Short\",,,,,,,,,,,,\"\"\r");

    // A single cell asked of a contact reads the same way, and makes nothing either.
    const TZEBObject *kim = fresh.top(0)->Child(3)->Item();
    ASSERT_EQ(kim->Title(), "Kim \"KK\" Lee");
    EXPECT_EQ(kim->GetFieldCSV("Extension"), "\"x9\",");
    EXPECT_EQ(kim->GetFieldCSV("Country"), "\"L\u00e4ndle\",");
    EXPECT_EQ(kim->GetFieldCSV("Shoe Size"), ",");
    EXPECT_NE(kim->Pending(), nullptr);
}

// A row no column gives a cell to is left out; a header goes first when asked for.
TEST_F(CsvPendingTest, RowsWithoutCellsAreLeftOut)
{
    Loaded db(kFile, &context());
    EXPECT_EQ(exported(db.root, ItemKind::Website, {"First Name"}), "");
    EXPECT_EQ(exported(db.root, ItemKind::Website, {"First Name", "Website"}), "\"http://kim.example\"\r\n");
    ExportCsv(db.root, "head.csv", CsvExportOptions{ItemKind::Website, {"Website", "First Name"}, true});
    EXPECT_EQ(ReadBytes("head.csv"), "Website,\"First Name\"\r\n\"http://kim.example\"\r\n");
}

// A large export makes its rows on two threads, in chunks: every shown person's row comes
// once, in tree order, whichever thread made it, with UTF-8 and Windows-1252 lines in
// every chunk.
TEST_F(CsvPendingTest, RowsMadeOnTwoThreadsKeepTheirOrder)
{
    constexpr int kPersons = 3001;
    QByteArray file = CrLf({"{Params}", "{0 11 }My Contacts~~~~~~1"});
    for (int i = 0; i < kPersons; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(4, '0');
        const QByteArray last = i % 5 == 0 ? "M\xFCller" : i % 3 == 0 ? "K\xC3\xB6hler" : "Lee";
        const QByteArray hidden = i % 7 == 6 ? "4" : "0";
        file += CrLf({"{1 3 }P" + n + "~~~~~~" + QByteArray::number(i + 10),
                      "{Pers}~~F" + n + "~~~~" + last + "~~Home~~Cell~~~~~~~~" + hidden,
                      "{2 5 }Home~~" + n + " Elm~~~~1", "{Addr}" + n + " Elm~~~~~~" + last + "~~~~~~~~0",
                      "{2 6 }Cell~~555-" + n + "~~~~2", "{Phon}~~0"});
    }
    services.filter = [](qint32 categories) { return categories == 4; };
    Loaded db(file, &context());
    const QStringList columns{"Title", "First Name", "Last Name", "Address Line 1", "City", "Phone Number"};
    const QByteArray rows = exported(db.root, ItemKind::Person, columns);

    QByteArray serial;
    QList<int> shown;
    for (int row = 0; row < db.root->Count(); ++row) {
        const TZEBObject *item = db.root->Child(row)->Item();
        if (item->IsFilteredOut())
            continue;
        shown << item->Title().mid(1).toInt();
        serial += CsvLine(*item, columns).value_or(QString()).toUtf8() + "\r\n";
    }
    EXPECT_EQ(shown.size(), kPersons - kPersons / 7);
    for (qsizetype k = 1; k < shown.size(); ++k)
        ASSERT_LT(shown[k - 1], shown[k]);
    EXPECT_EQ(rows, serial);
    QList<QByteArray> lines = rows.split('\n');
    ASSERT_EQ(lines.size(), shown.size() + 1);
    for (qsizetype k = 0; k < shown.size(); ++k) {
        const QByteArray n = QByteArray::number(shown[k]).rightJustified(4, '0');
        const QByteArray last = shown[k] % 5 == 0 ? "M\xC3\xBCller" : shown[k] % 3 == 0 ? "K\xC3\xB6hler" : "Lee";
        ASSERT_EQ(lines[k], "\"P" + n + "\",\"F" + n + "\",\"" + last + "\",\"" + n + " Elm\",\"" + last + "\",\"555-" +
                                n + "\"\r");
    }
}
