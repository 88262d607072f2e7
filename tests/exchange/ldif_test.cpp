#include "exchange/ldif.h"

#include "store/addressobject.h"
#include "store/errorreport.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

namespace {

// A mail client's address book: base64 values (non-ASCII, a line break), a folded line,
// a comment, a mailing list, the client's own attributes.
const QByteArray kMailClient =
    "# exported address book\r\n"
    "dn: cn=J\xC3\xBCrgen M\xC3\xBCller,mail=jm@example.de\r\n"
    "objectclass: top\r\nobjectclass: person\r\nobjectclass: organizationalPerson\r\nobjectclass: inetOrgPerson\r\n"
    "objectclass: mozillaAbPersonAlpha\r\n"
    "givenName:: SsO8cmdlbg==\r\n"
    "sn:: TcO8bGxlcg==\r\n"
    "cn:: SsO8cmdlbiBNw7xsbGVy\r\n"
    "mail: jm@example.de\r\n"
    "modifytimestamp: 0Z\r\n"
    "telephoneNumber: +49 30 1234\r\n"
    "homePhone: +49 30 5678\r\n"
    "mobile: +49 170 1\r\n"
    "facsimileTelephoneNumber: +49 30 9999\r\n"
    "street: Hauptstr. 5\r\n"
    "l: Berlin\r\nst: BE\r\npostalCode: 10115\r\nc: Germany\r\n"
    "mozillaWorkUrl: https://example.de/jm\r\n"
    "description:: Rmlyc3QgbGluZQpzZWNvbmQgbGluZQ==\r\n"
    "title: Engineer\r\n"
    "o: Acme GmbH\r\n"
    "\r\n"
    "dn: cn=Kim Park,mail=kim@example.com\r\n"
    "objectclass: top\r\nobjectclass: person\r\n"
    "cn: Kim Park\r\n"
    "mail: kim@exa\r\n mple.com\r\n"
    "\r\n"
    "dn: cn=Friends\r\nobjectclass: top\r\nobjectclass: groupOfNames\r\ncn: Friends\r\nmember: cn=Kim Park\r\n";

class LdifTest : public StoreFixture
{
protected:
    TTreeNode *child(TTreeNode *n, int i) { return n->Child(i); }
};

TEST(LdifRead, UnfoldsDecodesAndSkipsComments)
{
    const LdifFile f = ParseLdif(QString::fromUtf8(kMailClient));
    ASSERT_EQ(f.entries.size(), 3u);
    EXPECT_EQ(f.entries[0].Value(u"dn"), "cn=J\u00fcrgen M\u00fcller,mail=jm@example.de");
    EXPECT_EQ(f.entries[0].Value(u"GIVENNAME"), "J\u00fcrgen");
    EXPECT_EQ(f.entries[0].Value(u"description"), "First line\nsecond line");
    EXPECT_EQ(f.entries[0].Values(u"objectclass").size(), 5);
    EXPECT_EQ(f.entries[1].Value(u"mail"), "kim@example.com");
    EXPECT_EQ(f.entries[1].line, 27);
    EXPECT_EQ(f.badLines, 0);
    const LdifFile bad = ParseLdif(QStringLiteral("dn: x\nno colon here\ncn:: !!!\n"));
    EXPECT_EQ(bad.badLines, 2);
    EXPECT_EQ(bad.firstBadLine, 2);
}

TEST(LdifWrite, UnsafeValuesAreBase64AndLongLinesFolded)
{
    EXPECT_EQ(LdifLine("cn", "Kim Park"), "cn: Kim Park");
    EXPECT_EQ(LdifLine("cn", "Zo\u00eb"), "cn:: Wm/Dqw==");
    EXPECT_EQ(LdifLine("description", ":x"), "description:: Ong=");
    EXPECT_EQ(LdifLine("description", "a\nb"), "description:: YQpi");
    const QString longLine = LdifLine("description", QString(100, u'x'));
    EXPECT_EQ(longLine, "description: " + QString(63, u'x') + "\r\n " + QString(37, u'x'));
    EXPECT_EQ(ParseLdif(longLine + "\r\n").entries.at(0).Value(u"description"), QString(100, u'x'));
    EXPECT_EQ(LdifDnValue("Berg, Joakim +1"), "Berg\\, Joakim \\+1");
}

TEST_F(LdifTest, AMailClientsAddressBookImportsEveryField)
{
    WriteBytes("book.ldif", kMailClient);
    const ImportNotes notes = ImportLdif(root, "book.ldif");
    EXPECT_EQ(notes.made, 3); // the organization and two persons
    EXPECT_EQ(ImportShortfall(notes), "3 items were imported; 1 mailing list was left out");
    ASSERT_EQ(root->Count(), 2);
    auto *acme = dynamic_cast<TOrgObject *>(child(root, 0)->Item());
    ASSERT_NE(acme, nullptr);
    EXPECT_EQ(acme->Title(), "Acme GmbH");
    auto *j = dynamic_cast<TPersonObject *>(child(child(root, 0), 0)->Item());
    ASSERT_NE(j, nullptr);
    EXPECT_EQ(j->Title(), "J\u00fcrgen M\u00fcller");
    EXPECT_EQ(j->FirstName(), "J\u00fcrgen");
    EXPECT_EQ(j->LastName(), "M\u00fcller");
    // The job title has no field of its own: it is the comment's last line.
    EXPECT_EQ(j->Comment(), "First line\nsecond line\nJob title: Engineer");
    QStringList kids;
    for (int i = 0; i < j->ChildCount(); ++i)
        kids << j->ChildAt(i)->Title() + "=" + j->ChildAt(i)->Value();
    EXPECT_EQ(kids, (QStringList{"Primary Address=Hauptstr. 5", "Primary Phone=+49 30 1234", "Primary Fax=+49 30 9999",
                                 "Primary EMail=jm@example.de", "Home Phone=+49 30 5678", "Mobile Phone=+49 170 1"}));
    auto *address = static_cast<TAddressObject *>(j->ChildAt(0));
    EXPECT_EQ(address->City(), "Berlin");
    EXPECT_EQ(address->State(), "BE");
    EXPECT_EQ(address->PostalCode(), "10115");
    EXPECT_EQ(address->Country(), "Germany");
    EXPECT_EQ(j->Node()->Child(0)->Item()->Value(), "https://example.de/jm");
    // A person with a common name alone: its words give the names.
    auto *kim = dynamic_cast<TPersonObject *>(child(root, 1)->Item());
    ASSERT_NE(kim, nullptr);
    EXPECT_EQ(kim->FirstName(), "Kim");
    EXPECT_EQ(kim->LastName(), "Park");
}

TEST_F(LdifTest, AnImportExportsToTheSameEntries)
{
    WriteBytes("book.ldif", kMailClient);
    ImportLdif(root, "book.ldif");
    EXPECT_EQ(ExportLdif(root, "out.ldif"), 3);
    const LdifFile in = ParseLdif(QString::fromUtf8(kMailClient));
    const LdifFile out = ParseLdif(QString::fromUtf8(ReadBytes("out.ldif")));
    // What the program keeps of an entry: every attribute but the classes and the time stamp.
    auto kept = [](const LdifEntry &e) {
        QStringList lines;
        for (const auto &a : e.attributes)
            if (!QStringList{"objectclass", "modifytimestamp"}.contains(a.first.toLower()))
                lines << a.first.toLower() + "=" + a.second;
        lines.sort();
        return lines;
    };
    ASSERT_EQ(out.entries.size(), 3u);
    EXPECT_EQ(out.entries[0].Value(u"dn"), "o=Acme GmbH");
    EXPECT_EQ(kept(out.entries[1]), kept(in.entries[0]));
    // The second entry had no names of its own; they come back as the import made them.
    QStringList kim = kept(in.entries[1]);
    kim << "givenname=Kim" << "sn=Park";
    kim.sort();
    EXPECT_EQ(kept(out.entries[2]), kim);
    // Written as base64 where it must be.
    EXPECT_TRUE(ReadBytes("out.ldif").contains("description:: Rmlyc3QgbGluZQpzZWNvbmQgbGluZQ==\r\n"));
}

TEST_F(LdifTest, StreetLinesAndJobTitlesAreKept)
{
    WriteBytes("book.ldif",
               // "street" with line breaks (base64), more lines than an address keeps, and a
               // job title on a person without a description.
               "dn: cn=Ann Lee\n"
               "objectclass: person\n"
               "cn: Ann Lee\n"
               "street:: " + QByteArray("Flat 2\nMill House\n1 Quay St\nDock Yard").toBase64() + "\n"
               "title:  Head of  Sales \n"
               "\n"
               // A postal address with "$" between lines and an escaped "$".
               "dn: cn=Bo Chan\n"
               "objectclass: person\n"
               "cn: Bo Chan\n"
               "postalAddress: Unit 4 \\24 5$ 9 Elm Road $$Springfield\n"
               "\n"
               // "street" and the client's second line.
               "dn: cn=Cy Dunn\n"
               "objectclass: person\n"
               "cn: Cy Dunn\n"
               "street: 3 Oak Lane\n"
               "mozillaPostalAddress2: Rear entrance\n"
               "postalAddress: ignored$when street is there\n");
    EXPECT_EQ(ImportLdif(root, "book.ldif").made, 3);
    ASSERT_EQ(root->Count(), 3);
    auto lines = [&](int i) {
        auto *person = static_cast<TPersonObject *>(child(root, i)->Item());
        auto *address = dynamic_cast<TAddressObject *>(person->ChildAt(0));
        return address ? address->Lines().mid(0, 3) : QStringList();
    };
    EXPECT_EQ(lines(0), (QStringList{"Flat 2", "Mill House", "1 Quay St, Dock Yard"}));
    EXPECT_EQ(lines(1), (QStringList{"Unit 4 $ 5", "9 Elm Road", "Springfield"}));
    EXPECT_EQ(lines(2), (QStringList{"3 Oak Lane", "Rear entrance", ""}));
    EXPECT_EQ(child(root, 0)->Item()->Comment(), "Job title: Head of Sales");
    EXPECT_EQ(child(root, 1)->Item()->Comment(), "");

    // Exported back: three lines in "street", two as the client writes them, the title
    // as its attribute and not as a description.
    ExportLdif(root, "out.ldif");
    const LdifFile out = ParseLdif(QString::fromUtf8(ReadBytes("out.ldif")));
    ASSERT_EQ(out.entries.size(), 3u);
    EXPECT_EQ(out.entries[0].Value(u"street"), "Flat 2\nMill House\n1 Quay St, Dock Yard");
    EXPECT_EQ(out.entries[0].Value(u"title"), "Head of Sales");
    EXPECT_TRUE(out.entries[0].Values(u"description").isEmpty());
    EXPECT_TRUE(out.entries[0].Values(u"mozillaPostalAddress2").isEmpty());
    EXPECT_EQ(out.entries[2].Value(u"street"), "3 Oak Lane");
    EXPECT_EQ(out.entries[2].Value(u"mozillaPostalAddress2"), "Rear entrance");
    EXPECT_TRUE(out.entries[2].Values(u"title").isEmpty());
}

TEST_F(LdifTest, HostileFilesAreRefusedWholeOrToldHowMuchWasTaken)
{
    WriteBytes("junk.ldif", QByteArray("dn: cn=x\ncn: \x00\x01\xFF", 16));
    try {
        ImportLdif(root, "junk.ldif");
        ADD_FAILURE() << "binary accepted";
    } catch (const EInOutError &e) {
        EXPECT_STREQ(e.what(), "\"junk.ldif\" is not a text file (it holds bytes no text has, at line 2); nothing was imported");
    }
    EXPECT_EQ(root->Count(), 0);
    // A file cut off inside a base64 value, after a line far too long to be an attribute.
    WriteBytes("cut.ldif", "dn: cn=Kim Park\ncn: Kim Park\n\n" + QByteArray(10 * 1024 * 1024, 'x') +
                               "\n\ndn: cn=Lee\ncn: Lee\nmail:: a2!");
    const ImportNotes notes = ImportLdif(root, "cut.ldif");
    EXPECT_EQ(ImportShortfall(notes), "2 items were imported; 2 line(s) that are not \"name: value\" were passed over, "
                                      "the first at line 4");
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(root->Child(0)->Item()->Title(), "Kim Park");
    EXPECT_EQ(root->Child(1)->Item()->Title(), "Lee");
}

} // namespace
