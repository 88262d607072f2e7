#include "exchange/csvcolumns.h"
#include "exchange/csvfields.h"
#include "store/phoneobject.h"
#include "store/webobject.h"
#include "support/storefixture.h"

using ContactPointsTest = StoreFixture;

TEST_F(ContactPointsTest, PopupOpenAndActionsReachTheServices)
{
    TZEBObject *phone = add(ItemKind::Phone, "Home", root, "(555)123-4567");
    TZEBObject *fax = add(ItemKind::Fax, "Office", root, "555-0200");
    TZEBObject *mail = add(ItemKind::EMail, "Kim", root, "kim@example.org");
    TZEBObject *site = add(ItemKind::Website, "Site", root, "http://example.org");
    EXPECT_EQ(phone->PreparePopup(), (PopupVisibility{.Open = false, .Dial = true}));
    EXPECT_EQ(fax->PreparePopup(), (PopupVisibility{.Open = false, .SendFax = true, .Dial = true}));
    EXPECT_EQ(mail->PreparePopup(), (PopupVisibility{.Open = false, .SendMail = true}));
    EXPECT_EQ(site->PreparePopup(), (PopupVisibility{.Browse = true}));

    phone->Open();
    fax->Open();
    fax->Dial();
    mail->Open();
    mail->SendMail("/tmp/a.txt");
    site->Open();
    EXPECT_EQ(services.calls, QStringList({"dial Home|(555)123-4567", "fax Office|555-0200|", "dial Office|555-0200",
                                           "mail Kim|kim@example.org|", "mail Kim|kim@example.org|/tmp/a.txt",
                                           "browse http://example.org"}));
}

TEST_F(ContactPointsTest, PhoneOutsideTheDatabaseDialsThroughItsOwnTree)
{
    // A list of calls keeps its phones in a tree of its own, beside the database.
    FakeServices historyServices;
    TTreeNodes history;
    history.Context().SetServices(&historyServices);
    TTreeNode *calls = history.AddTop(MakeRootItem(), "Calls");
    CreateItem(ItemKind::Phone, "Caller", "555-0100", {}, calls, "{Phon}~~0", 0)->Dial();
    EXPECT_EQ(historyServices.calls, QStringList({"dial Caller|555-0100"}));
    EXPECT_TRUE(services.calls.isEmpty());
}

TEST_F(ContactPointsTest, EachKindAnswersItsOwnCsvColumnAndVCardLine)
{
    TZEBObject *phone = add(ItemKind::Phone, "Home", root, "555", "{Phon}7~~0");
    TZEBObject *fax = add(ItemKind::Fax, "Office", root, "556");
    TZEBObject *mail = add(ItemKind::EMail, "Kim", root, "kim@example.org");
    EXPECT_EQ(phone->GetFieldCSV("Fax Number"), "");
    EXPECT_EQ(fax->GetFieldCSV("Fax Number"), "\"556\",");
    EXPECT_EQ(fax->GetFieldCSV("Phone Number"), "");
    EXPECT_EQ(phone->GetVCardLine(), "TEL:555");
    EXPECT_EQ(fax->GetVCardLine(), "TEL;FAX:556");
    EXPECT_EQ(mail->GetVCardLine(), "EMAIL;INTERNET:kim@example.org");
    mail->SetValue("kim"); // not an Internet address
    EXPECT_EQ(mail->GetVCardLine(), "EMAIL:kim");
    phone->SetValue("555,1;2");
    EXPECT_EQ(phone->GetVCardLine(), "TEL:555\\,1\\;2");
}

TEST_F(ContactPointsTest, CsvImportRules)
{
    // Kind, column names, cells; the title taken, or empty when the row is refused.
    const struct { ItemKind kind; QStringList names, cells; const char *title; } rows[] = {
        {ItemKind::Phone, {"Title", "Phone Number", "Extension"}, {"Desk", "555", "x1"}, "Desk"},
        {ItemKind::Phone, {"Phone Number"}, {"555"}, ""},
        {ItemKind::Phone, {"Title", "Phone Number"}, {"Desk", ""}, ""},
        {ItemKind::Fax, {"Title", "Fax Number"}, {"Office", "556"}, "Office"},
        {ItemKind::Fax, {"Title", "Phone Number"}, {"Office", "556"}, ""},
        {ItemKind::EMail, {"E-Mail Address", "Comment"}, {"kim@example.org", "hi"}, "kim"},
        {ItemKind::EMail, {"E-Mail Address"}, {"postmaster"}, "postmaster"},
        {ItemKind::EMail, {"E-Mail Address"}, {"@example.org"}, ""},
        {ItemKind::Website, {"Website"}, {"http://example.org"}, "http://example.org"},
        {ItemKind::Website, {"Website"}, {"example.org"}, "New"}, // taken, but named only with a scheme
        {ItemKind::Website, {"Title"}, {"Site"}, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.cells.join('|').toStdString());
        TZEBObject *item = add(row.kind, "New", root);
        EXPECT_EQ(item->ImportFields(row.cells, row.names), *row.title != 0);
        if (*row.title) {
            EXPECT_EQ(item->Title(), row.title);
        }
    }
    EXPECT_EQ(dynamic_cast<TPhoneObject *>(root->Item()->ChildAt(0))->Extension(), "x1");
}

TEST_F(ContactPointsTest, WebsiteIsListedInTheIndexOnlyWithChildNodes)
{
    auto *site = dynamic_cast<TWebObject *>(add(ItemKind::Website, "Links", root, "http://example.org"));
    EXPECT_FALSE(site->InHTMLIndex());
    add(ItemKind::Website, "More", site->Node(), "http://example.net");
    EXPECT_TRUE(site->InHTMLIndex());
}

// A row is written cell by cell straight into its bytes; each cell must be the one
// GetFieldCSV gives, a phone's extension and columns the kind lacks included.
TEST_F(ContactPointsTest, CellsWrittenIntoARowAreThoseGetFieldCSVGives)
{
    TZEBObject *phone = CreateItem(ItemKind::Phone, "Desk \"2\"", "555-0100", "K\xC3\xA4the", root, "{Phon}x12~~0", 0);
    const QList<TZEBObject *> points = {phone, add(ItemKind::Fax, "Office", root, "555-0200"),
                                        add(ItemKind::EMail, "Kim", root, "kim@example.org"),
                                        add(ItemKind::Website, "Site", root, "http://example.org")};
    QStringList names = CsvColumnNames();
    names << "Shoe Size";
    const CsvColumns columns(names);
    int cells = 0;
    for (const TZEBObject *point : points) {
        for (size_t c = 0; c < columns.ids.size(); ++c) {
            const QString &name = columns.names[qsizetype(c)];
            QByteArray bytes;
            CsvRow row(bytes);
            const bool wrote = point->AppendFieldCSV(columns.ids[c], name, row);
            const QString expected = point->GetFieldCSV(name);
            EXPECT_EQ(row.Text(), expected) << point->Title().toStdString() << " " << name.toStdString();
            EXPECT_EQ(wrote, !expected.isEmpty());
            cells += wrote ? 1 : 0;
        }
    }
    EXPECT_EQ(cells, 4 + 3 + 3 + 3); // title, value and comment each; a phone's extension too
    QByteArray bytes;
    CsvRow row(bytes);
    phone->AppendFieldCSV(CsvColumn::Title, "Title", row);
    phone->AppendFieldCSV(CsvColumn::Comment, "Comment", row);
    EXPECT_EQ(bytes, "\"Desk \"\"2\"\"\",\"K\xC3\xA4the\",");
}
