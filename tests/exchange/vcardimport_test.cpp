#include "exchange/vcardimport.h"
#include "exchange/vcarditems.h"

#include "store/addressobject.h"
#include "store/folderobject.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

namespace {

// Cards as other programs write them.
QByteArray photo()
{
    QByteArray b64 = QByteArray(300000, 'A').toBase64();
    QByteArray folded;
    for (qsizetype i = 0; i < b64.size(); i += 74)
        folded += " " + b64.mid(i, 74) + "\r\n";
    return "PHOTO;ENCODING=b;TYPE=JPEG:\r\n" + folded;
}

const QByteArray kPhone21 = "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                            "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=BCrgen;Karl;Dr.;\r\n"
                            "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Dr. J=C3=BCrgen M=C3=BCller\r\n"
                            "TEL;CELL:+49 170 1234567\r\nTEL;HOME;VOICE;PREF:+49 30 123456\r\n"
                            "ADR;HOME;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;;Hauptstra=C3=9Fe 5;Berlin;;10115;=\r\n"
                            "Deutschland\r\nEND:VCARD\r\n";
const QByteArray kMail30 = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Jane;;;\r\nFN:Jane Doe\r\n"
                           "ORG:Smith\\, Jones & Co;Research\r\nTITLE:Chief Engineer\r\n"
                           "TEL;TYPE=WORK,VOICE:+1 555 0100\r\nTEL;TYPE=WORK,FAX:+1 555 0199\r\n"
                           "ADR;TYPE=WORK:PO Box 9;Suite 200;12 Main St\\, Apt 4;Spring\r\n field;IL;62701;USA\r\n"
                           "EMAIL;TYPE=INTERNET,WORK:jane@exa\r\n mple.com\r\nURL:http\\://www.example.com/jane\r\n"
                           "END:VCARD\r\n";
const QByteArray kModern40 = "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Kim Park\r\nN:Park;Kim;;;\r\n"
                             "TEL;VALUE=uri;TYPE=cell;PREF=2:tel:+1-555-555-1234\r\n"
                             "TEL;VALUE=uri;TYPE=\"voice,home\";PREF=1:tel:+1-555-555-5555\r\n"
                             "EMAIL:kim.park@example.net\r\nEMAIL;PREF=1:kim@example.org\r\n"
                             "URL;VALUE=uri:https://kim.example.org/\r\nEND:VCARD\r\n";
const QByteArray kGrouped = "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Phone//EN\r\nN:Lee;Sam;;;\r\nFN:Sam Lee\r\n"
                            "item1.TEL;type=CELL:(555) 010-2000\r\nitem1.X-ABLabel:_$!<Other>!$_\r\n"
                            "item2.TEL;type=CELL:(555) 010-3000\r\n"
                            "item3.ADR;type=HOME;type=pref:;;1 Loop Rd;Cupertino;CA;95014;United States\r\n" +
                            photo() + "NOTE:likes tea\r\nEND:VCARD\r\n";

class VCardImportTest : public StoreFixture
{
protected:
    VCardImportNotes import(const QByteArray &bytes, VCardImportAs answer = VCardImportAs::Person)
    {
        WriteBytes("in.vcf", bytes);
        return ImportVCardFile(root, "in.vcf", [this, answer](const QString &name, const QString &org) {
            asked << name + "|" + org;
            return answer;
        });
    }
    template <typename T> T *top(int row) { return dynamic_cast<T *>(root->Child(row)->Item()); }
    static QStringList children(const TZEBObject *item)
    {
        QStringList out;
        for (int i = 0; i < item->ChildCount(); ++i)
            out << QStringLiteral("%1 %2=%3").arg(KindCode(item->ChildAt(i)->Kind())).arg(item->ChildAt(i)->Title(),
                                                                                item->ChildAt(i)->Value());
        for (int i = 0; i < item->Node()->Count(); ++i)
            out << QStringLiteral("%1 %2=%3").arg(KindCode(item->Node()->Child(i)->Item()->Kind()))
                       .arg(item->Node()->Child(i)->Item()->Title(), item->Node()->Child(i)->Item()->Value());
        return out;
    }
    QStringList asked;
};

} // namespace

TEST_F(VCardImportTest, CardsOfOtherProgramsImportWithTheirFields)
{
    const VCardImportNotes notes = import(kPhone21 + kMail30 + kModern40 + kGrouped);
    EXPECT_EQ(notes.persons, 4);
    EXPECT_EQ(asked, QStringList{"Jane Doe|Smith, Jones & Co"});
    ASSERT_EQ(root->Count(), 4);

    auto *juergen = top<TPersonObject>(0);
    ASSERT_NE(juergen, nullptr);
    EXPECT_EQ(juergen->Title(), "Dr. J\u00fcrgen M\u00fcller");
    EXPECT_EQ(juergen->LastName(), "M\u00fcller");
    EXPECT_EQ(juergen->MiddleName(), "Karl");
    EXPECT_EQ(juergen->Value(), "Dr. J\u00fcrgen M\u00fcller");
    EXPECT_EQ(children(juergen), QStringList({"5 Home=Hauptstra\u00dfe 5", "6 Cellular=+49 170 1234567",
                                              "6 Home,Voice Line=+49 30 123456"}));
    EXPECT_EQ(juergen->PrimaryPhone(), "Home,Voice Line");
    EXPECT_EQ(juergen->PrimaryAddress(), "Home");
    auto *home = static_cast<TAddressObject *>(juergen->ChildAt(0));
    EXPECT_EQ(home->Country(), "Deutschland");

    auto *jane = top<TPersonObject>(1);
    EXPECT_EQ(jane->Title(), "Jane Doe"); // not the job title
    EXPECT_EQ(children(jane), QStringList({"5 Office=PO Box 9", "7 Office,Internet=jane@example.com",
                                           "6 Office,Voice Line=+1 555 0100", "8 Office,Fax Line=+1 555 0199",
                                           "4 Web URL=http://www.example.com/jane"}));
    auto *office = static_cast<TAddressObject *>(jane->ChildAt(0));
    EXPECT_EQ(office->Lines(), QStringList({"PO Box 9", "Suite 200", "12 Main St, Apt 4"}));
    EXPECT_EQ(office->City(), "Springfield");
    EXPECT_EQ(office->PostalCode(), "62701");
    EXPECT_EQ(jane->PrimaryFax(), "Office,Fax Line");
    EXPECT_EQ(jane->PrimaryWebsite(), "Web URL");

    auto *kim = top<TPersonObject>(2);
    EXPECT_EQ(children(kim), QStringList({"7 E-Mail=kim.park@example.net", "7 E-Mail 2=kim@example.org",
                                          "6 Cellular=+1-555-555-1234", "6 Home,Voice Line=+1-555-555-5555",
                                          "4 Web URL=https://kim.example.org/"}));
    EXPECT_EQ(kim->PrimaryEMail(), "E-Mail 2");
    EXPECT_EQ(kim->PrimaryPhone(), "Home,Voice Line");

    auto *sam = top<TPersonObject>(3);
    EXPECT_EQ(children(sam), QStringList({"5 Home=1 Loop Rd", "6 Cellular=(555) 010-2000", "6 Cellular 2=(555) 010-3000"}));
    EXPECT_EQ(sam->PrimaryPhone(), "Cellular");
    EXPECT_EQ(sam->Comment(), "likes tea");
}

TEST_F(VCardImportTest, NamesAndTitlesAreOneLineWithoutBlanksAroundThem)
{
    import("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:\xC2\xA0 Spacey Name \xE2\x80\x83\r\nN:\xC2\xA0;\xE2\x80\x83\r\n"
           "TEL;TYPE=WORK:\xEF\xBB\xBF" "12\r\nADR:;;a\\nb\\nc\\nd\\n\\n;\xEF\xBB\xBFT\xC3\xB6wn\r\nEMAIL:~x~~y~\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:\xE6\x9D\x8E;\xE5\xB0\x8F\xE9\xBE\x99\r\nEND:VCARD\r\n");
    ASSERT_EQ(root->Count(), 2);
    auto *spacey = top<TPersonObject>(0);
    EXPECT_EQ(spacey->Title(), "Spacey Name");
    // Names of nothing but blanks: the title is the full name.
    EXPECT_EQ(spacey->Value(), "Spacey Name");
    EXPECT_EQ(children(spacey), QStringList({"5 Address=a", "7 E-Mail=~x~~y~", "6 Office=12"}));
    auto *address = static_cast<TAddressObject *>(spacey->ChildAt(0));
    EXPECT_EQ(address->Lines(), QStringList({"a", "b", "c, d"}));
    // A byte-order mark inside a value is a character of it, as any other.
    EXPECT_EQ(address->City(), "\ufeffT\u00f6wn");
    auto *named = top<TPersonObject>(1);
    EXPECT_EQ(named->Title(), "\u5c0f\u9f99 \u674e");
    EXPECT_EQ(named->LastName(), "\u674e");
}

TEST_F(VCardImportTest, ACardWithOnlyAFormattedNameGivesTheNamesFromItsWords)
{
    import("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann Marie Lee\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:Bo Berg\r\nEND:VCARD\r\n");
    auto *ann = top<TPersonObject>(0);
    EXPECT_EQ(ann->FirstName(), "Ann");
    EXPECT_EQ(ann->MiddleName(), "Marie");
    EXPECT_EQ(ann->LastName(), "Lee");
    EXPECT_EQ(ann->Value(), " Ann Lee");
    // An N line, even an empty one, is taken as it is; the full name is then the title.
    auto *bo = top<TPersonObject>(1);
    EXPECT_EQ(bo->LastName(), "");
    EXPECT_EQ(bo->Value(), "Bo Berg");
}

TEST_F(VCardImportTest, TheOrganizationQuestionDecidesTheKind)
{
    import(kMail30 + "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;John;Q;Dr.\r\nORG:Acme;Sales\r\nEND:VCARD\r\n" + kModern40,
           VCardImportAs::Organization);
    EXPECT_EQ(asked, QStringList({"Jane Doe|Smith, Jones & Co", "Dr. John Q Smith|Acme"}));
    ASSERT_EQ(root->Count(), 3);
    auto *acme = top<TOrgObject>(0);
    ASSERT_NE(acme, nullptr);
    EXPECT_EQ(acme->Title(), "Acme");
    auto *smith = top<TOrgObject>(2);
    ASSERT_NE(smith, nullptr);
    EXPECT_EQ(smith->Title(), "Smith, Jones & Co");
    EXPECT_EQ(smith->PrimaryPhone(), "Office,Voice Line");
    EXPECT_NE(top<TPersonObject>(1), nullptr); // Kim Park: no ORG, no question
}

TEST_F(VCardImportTest, OlderFilesOfThisProgramKeepTheirMapping)
{
    // No VERSION: three street lines first, and TITLE names the item.
    import("begin:vcard\r\nN:Smith;John;;Mr\r\nFN:John Smith\r\nTITLE:Smithy\r\n"
           "ADR;PREF:12 Main St, Apt 4;Rear;;Town;ST;12345;Land\r\nTEL;PREF;FAX:555\r\nend:vcard\r\n"
           "begin:vcard\r\nN:Lee;Ann\r\nend:vcard\r\nbegin:vcard\r\nNOTE:x\r\nEMAIL:a@b\r\nend:vcard\r\n");
    auto *smith = top<TPersonObject>(2);
    ASSERT_NE(smith, nullptr);
    EXPECT_EQ(smith->Title(), "Smithy");
    EXPECT_EQ(smith->Value(), "Mr John Smith");
    auto *address = static_cast<TAddressObject *>(smith->ChildAt(0));
    EXPECT_EQ(address->Lines(), QStringList({"12 Main St, Apt 4", "Rear", ""}));
    EXPECT_EQ(address->Country(), "Land");
    EXPECT_EQ(smith->PrimaryFax(), "Fax Line");
    EXPECT_EQ(top<TPersonObject>(0)->Title(), "Ann Lee");
    // A card with no name at all is still named.
    EXPECT_EQ(top<TPersonObject>(1)->Title(), "New Person");
}

TEST_F(VCardImportTest, WrittenCardsReadBackToTheSameCards)
{
    // Cards in the order the program writes them come back byte for byte.
    const QByteArray cards = CrLf({"BEGIN:VCARD", "VERSION:3.0", "N:M\xC3\xBCller;J\xC3\xBCrgen;K;Dr.;",
                                   "FN:J\xC3\xBCrgen M\xC3\xBCller\\, Sr.",
                                   "NOTE:met at the fair\\nin Leipzig",
                                   "ADR;TYPE=HOME:;;Hauptstra\xC3\x9F" "e 5\\nHinterhaus;Berlin;;10115;DE",
                                   "ADR;TYPE=WORK,PREF:;;1 Loop Rd;Cupertino;CA;95014;US",
                                   "EMAIL;TYPE=PREF,INTERNET:j@example.de", "TEL;TYPE=PREF,CELL:+49 170 1",
                                   "TEL;TYPE=HOME,VOICE:030 2", "TEL;TYPE=PREF,FAX:030 3", "URL:https://example.de/",
                                   "END:VCARD", "BEGIN:VCARD", "VERSION:3.0", "N:;;;;", "FN:Zoe", "END:VCARD"});
    import(cards);
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(WriteVCardSubtree(root, "out.vcf"), 2);
    EXPECT_EQ(QString::fromUtf8(ReadBytes("out.vcf")), QString::fromUtf8(cards));

    // An organization writes N, FN and ORG; other kinds write nothing.
    TZEBObject *org = add(ItemKind::Organization, "Smith, Jones & Co", root, {}, "{Orgn}~~555~~~~~~~~0");
    add(ItemKind::Phone, "555", org->Node(), "555-0100");
    WriteVCardFile(*org, "org.vcf");
    EXPECT_EQ(ReadBytes("org.vcf"), CrLf({"BEGIN:VCARD", "VERSION:3.0", "N:Smith\\, Jones & Co;;;;",
                                          "FN:Smith\\, Jones & Co", "ORG:Smith\\, Jones & Co", "TEL;TYPE=PREF:555-0100",
                                          "END:VCARD"}));
    WriteVCardFile(*add(ItemKind::Folder, "F", root), "folder.vcf");
    EXPECT_FALSE(QFile::exists("folder.vcf"));
}

TEST_F(VCardImportTest, NothingIsMadeInAReadOnlyFolderOrFromAFileThatIsNotThere)
{
    EXPECT_EQ(ImportVCardFile(root, "none.vcf", {}).persons, 0);
    EXPECT_EQ(root->Count(), 0);
    EXPECT_THROW(ImportVCardFile(root, dir.path(), {}), EInOutError);

    TZEBObject *remote = add(ItemKind::Folder, "Shared", nullptr, "/nowhere/list.mbd");
    ASSERT_TRUE(remote->IsRemote());
    WriteBytes("in.vcf", kModern40);
    EXPECT_THROW(ImportVCardFile(remote->Node(), "in.vcf", {}), ERemoteParent);
    EXPECT_EQ(remote->Node()->Count(), 0);
    const VCardImportNotes notes = import(kModern40 + "BEGIN:VCARD\r\nFN:" + QByteArray(70000, 'x') + "\r\nEND:VCARD\r\n");
    EXPECT_EQ(notes.persons, 1);
    EXPECT_EQ(notes.read.unreadable, 1);
}

TEST_F(VCardImportTest, ReadVCardFillsAPlacedItemAndItsChildrenKeepTheirIds)
{
    TVCardFile file;
    file.LoadFromBytes(kMail30);
    ASSERT_EQ(file.Count(), 1);
    auto *org = static_cast<TOrgObject *>(add(ItemKind::Organization, {}, root));
    ReadVCard(*org, file.Cards(0));
    EXPECT_EQ(org->Title(), "Smith, Jones & Co");
    EXPECT_EQ(org->Node()->Text(), "Smith, Jones & Co");
    EXPECT_EQ(children(org).size(), 5);
    EXPECT_EQ(org->PrimaryAddress(), "Office");
    EXPECT_EQ(file.Cards(0).FindProperty(u"TEL"), nullptr); // used up

    // Imported items get their Ids when read, and a save and load keep them.
    import(kModern40);
    auto *kim = top<TPersonObject>(0);
    ASSERT_EQ(kim->Title(), "Kim Park");
    const qint32 mailId = kim->ChildAt(0)->Id();
    EXPECT_NE(mailId, 0);
    SaveDatabase(nodes);
    nodes.DeleteChildren(root);
    LoadDatabase(root);
    EXPECT_EQ(top<TPersonObject>(0)->ChildAt(0)->Id(), mailId);
}
