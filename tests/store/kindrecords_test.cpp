#include "recordfiletestutil.h"
#include "store/fieldcodec.h"
#include "store/orgobject.h"
#include "support/storefixture.h"

namespace {

// Values the record grammar cannot hold as they are.
const QStringList kHostile = {"a~~b", "~lead", "trail~", "two\r\nlines", "lf\nonly", "%7E stays", "~", "~~",
                              "~~~", "100% ~ sure", "\r", "{Pers}"};

QString hostile(int i) { return kHostile.at(i % kHostile.size()); }

using KindRecordsTest = StoreFixture;

} // namespace

TEST_F(KindRecordsTest, EveryKindsOwnFieldsSurviveASaveAndLoad)
{
    int n = 0;
    auto next = [&n] { return hostile(n++); };
    const auto primaries = [&](TContactObject *c) {
        for (ItemKind kind : {ItemKind::Address, ItemKind::Phone, ItemKind::Fax, ItemKind::EMail, ItemKind::Website})
            c->SetPrimaryTitle(kind, next());
    };
    auto *org = dynamic_cast<TOrgObject *>(add(ItemKind::Organization, next(), root, next(), {}, 1));
    org->SetComment(next());
    org->SetCategories(-1);
    primaries(org);
    add(ItemKind::Team, next(), org->Node(), next(), {}, 2)->SetCategories(1 << 30);

    auto *person = dynamic_cast<TPersonObject *>(add(ItemKind::Person, next(), org->Node()->Child(0), next(), {}, 3));
    for (auto set : {&TPersonObject::SetSalutation, &TPersonObject::SetFirstName, &TPersonObject::SetMiddleName,
                     &TPersonObject::SetLastName})
        (person->*set)(next());
    primaries(person);

    auto *address = dynamic_cast<TAddressObject *>(add(ItemKind::Address, next(), person->Node(), next(), {}, 4));
    address->SetLines({next(), next(), next()});
    for (auto set : {&TAddressObject::SetCity, &TAddressObject::SetState, &TAddressObject::SetPostalCode,
                     &TAddressObject::SetCountry})
        (address->*set)(next());
    dynamic_cast<TPhoneObject *>(add(ItemKind::Phone, next(), person->Node(), next(), {}, 5))->SetExtension(next());
    add(ItemKind::Fax, next(), person->Node(), next(), {}, 6)->SetComment(next());
    add(ItemKind::EMail, next(), person->Node(), next(), {}, 7)->SetCategories(7);
    add(ItemKind::Website, next(), person->Node(), next(), {}, 8)->SetComment(next());

    const QStringList before = Describe(root);
    const QByteArray saved = Saved(nodes);
    // Every record is a header and a data line, so the file has exactly two lines each
    // (plus the parameters line and the root's header).
    EXPECT_EQ(saved.count("\r\n"), 2 + 2 * 8);
    EXPECT_EQ(saved.count('\n'), saved.count("\r\n"));

    nodes.DeleteChildren(root);
    LoadDatabase(root);
    EXPECT_EQ(Describe(root), before);
    EXPECT_EQ(Saved(nodes), saved);
}

TEST_F(KindRecordsTest, EveryKindReadsItsDataLineIntoItsFieldsAndWritesItBack)
{
    // The data line read, the fields it gives (categories first), and the line written
    // back: short lines get their missing fields and categories 0; categories that are no
    // number read as 0.
    const struct { ItemKind kind; const char *read, *fields, *written; } lines[] = {
        {ItemKind::Person, "{Pers}Dr.~~Kim~~Lee~~Sample~~Home~~Work~~Fax~~Mail~~Site~~-7",
         "-7|Dr.|Kim|Lee|Sample|Home|Work|Fax|Mail|Site", nullptr},
        {ItemKind::Person, "{Pers}Mr.~~Al~~~~Bo~~Home", nullptr, "{Pers}Mr.~~Al~~~~Bo~~Home~~~~~~~~~~0"},
        {ItemKind::Organization, "{Orgn}HQ~~Switchboard~~Fax~~Info~~Web~~2147483647",
         "2147483647|HQ|Switchboard|Fax|Info|Web", nullptr},
        {ItemKind::Organization, "{Orgn}HQ~~Switchboard", nullptr, "{Orgn}HQ~~Switchboard~~~~~~~~0"},
        {ItemKind::Team, "{Team}12", "12", nullptr},
        {ItemKind::Team, "{Team}", nullptr, "{Team}0"},
        {ItemKind::Address, "{Addr}1 Main St~~Flat 2~~~~Springfield~~IL~~62701~~USA~~3",
         "3|1 Main St|Flat 2||Springfield|IL|62701|USA", nullptr},
        {ItemKind::Address, "{Addr}1 Main St~~Flat 2", "0|1 Main St|Flat 2|||||", "{Addr}1 Main St~~Flat 2~~~~~~~~~~~~0"},
        {ItemKind::Phone, "{Phon}12~~9", "9|12", nullptr},
        {ItemKind::Phone, "{Phon}12", nullptr, "{Phon}12~~0"},
        {ItemKind::Fax, "{Faxs}4", "4", nullptr},
        {ItemKind::Fax, "{Faxs}x", nullptr, "{Faxs}0"},
        {ItemKind::EMail, "{Mail}4", "4", nullptr},
        {ItemKind::Website, "{Webs}x", nullptr, "{Webs}0"},
        {ItemKind::Document, "{Docs}5", "5", nullptr},
        {ItemKind::Document, "{Docs}x~~9", nullptr, "{Docs}0"},
        {ItemKind::Tool, "{Tool}/opt/tools/notes~~-r~~3", "3|/opt/tools/notes|-r", nullptr},
        {ItemKind::Tool, "{Tool}/bin/x", nullptr, "{Tool}/bin/x~~~~0"},
        {ItemKind::Reminder, "{Remd}1998,3,15,2~~5", "5", nullptr},
        {ItemKind::Reminder, "{Remd}1998,3,15,2", nullptr, "{Remd}1998,3,15,2~~0"},
    };
    for (const auto &l : lines) {
        SCOPED_TRACE(l.read);
        TTreeNode *folder = add(ItemKind::Folder, "F", root)->Node();
        TZEBObject *item = add(l.kind, "T", folder, "v", l.read, 7);
        if (l.fields) {
            EXPECT_EQ(Describe(folder), QStringList(QStringLiteral("1|%1|T|v||7|").arg(KindCode(l.kind)) + l.fields));
        }
        EXPECT_EQ(item->GetRecordText(1), QStringLiteral("{1 %1 }T~~v~~~~7\r\n").arg(KindCode(l.kind)) +
                                              QString::fromUtf8(l.written ? l.written : l.read));
    }
}

// A website read from a file takes its categories from the bytes of its data line; they
// must be what the same line gives as text, however it is written.
TEST_F(KindRecordsTest, AWebsiteReadFromAFileHasTheCategoriesItsLineGivesAsText)
{
    const QStringList lines = {"{Webs}5", "{Webs} 7 ",  "{Webs}" + EncodeField("~12"), "{Webs}x",
                               "{Webs}",  "{Webs}3~~9", "{Phon}~~4", QStringLiteral("{Webs}\u00A06"), "{Webs}-2"};
    QByteArray file = "{Params}\r\n{0 11 }My Contacts~~~~~~1\r\n";
    for (int i = 0; i < lines.size(); ++i) {
        file += "{1 4 }Site " + QByteArray::number(i) + "~~http://x~~~~" + QByteArray::number(i + 2) + "\r\n";
        file += (lines[i].contains(QChar(0xA0)) ? lines[i].toLatin1() : lines[i].toUtf8()) + "\r\n";
    }
    Loaded loaded(file, &context());
    ASSERT_EQ(loaded.root->Count(), lines.size());
    QList<qint32> read, asText;
    for (int i = 0; i < lines.size(); ++i) {
        read << loaded.top(i)->Item()->Categories();
        asText << add(ItemKind::Website, "Site", root, "http://x", lines[i])->Categories();
    }
    EXPECT_EQ(read, asText);
    EXPECT_EQ(read, (QList<qint32>{5, 7, 0, 0, 0, 3, 0, 6, -2}));
}
