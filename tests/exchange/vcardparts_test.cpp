#include "exchange/vcardfile.h"
#include "exchange/vcardimport.h"
#include "exchange/vcardrecords.h"

#include "store/itemfactory.h"
#include "store/ranmar.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"
#include "support/fakeservices.h"
#include "support/filebytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Cards of every shape the reader treats apart: versions, quoted-printable values that
// go on over lines, folded lines, organizations, and cards that are skipped.
QByteArray mixedCards(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        switch (i % 7) {
        case 0:
            text += "BEGIN:VCARD\r\nVERSION:2.1\r\nN;ENCODING=QUOTED-PRINTABLE:M=C3=BCller" + n +
                    ";J=C3=\r\n=BCrgen;;Dr.;\r\nTEL;WORK;PREF:+49 30 " + n + "\r\nEND:VCARD\r\n";
            break;
        case 1:
            text += "begin:vcard\nversion:3.0\nfn:Folded " + n + "\nadr;type=home:;;1 Main\n  St;Town;;" + n +
                    ";USA\nemail:a" + n + "@b.c\nend:vcard\n";
            break;
        case 2:
            text += "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Corp;Ann;;;\r\nORG:Acme " + n + "\r\nURL:http://x/" + n +
                    "\r\nEND:VCARD\r\n";
            break;
        case 3:
            // A value that goes on where the next lines would end this card and start another.
            text += "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Soft " + n + "\r\nNOTE;QUOTED-PRINTABLE:a=\r\nEND:VCARD\r\n"
                    "BEGIN:VCARD\r\nEND:VCARD\r\n";
            break;
        case 4:
            text += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bad" + QByteArray(1, '\0') + n + "\r\nEND:VCARD\r\n";
            break;
        case 5:
            text += "BEGIN:VCARD\rVERSION:3.0\rX-ONLY:" + n + "\rEND:VCARD\r";
            break;
        default:
            text += "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:No end " + n + "\r\nTEL;VALUE=uri:tel:" + n + "\r\n";
            break;
        }
    }
    return text;
}

struct Prepared
{
    PreparedVCards cards;
    QStringList asked;
};

Prepared prepare(const QByteArray &bytes, int parts)
{
    Prepared p;
    ItemIds::Seed(1802, 9373);
    int n = 0;
    p.cards = PrepareVCards(bytes, [&](const QString &name, const QString &org) {
        p.asked << name + "|" + org;
        return n++ % 2 ? VCardImportAs::Organization : VCardImportAs::Person;
    }, parts);
    return p;
}

// The records of every piece, one after the other.
QByteArray joined(const PreparedVCards &cards)
{
    QByteArray all;
    for (const QByteArray &piece : cards.records) {
        EXPECT_FALSE(piece.isEmpty());
        all += piece;
    }
    return all;
}

// A database of its own with cards imported into it by import, and what its save writes.
struct Imported
{
    VCardImportNotes notes;
    QByteArray saved;
};

Imported importInto(const std::function<VCardImportNotes(TTreeNode *)> &import)
{
    Imported result;
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        FakeServices services;
        TTreeNodes nodes;
        nodes.Context().SetServices(&services);
        TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
        ItemIds::Seed(1802, 9373);
        result.notes = import(root);
        SaveDatabase(nodes);
        result.saved = ReadBytes("mira.dat");
    }
    QDir::setCurrent(previous);
    return result;
}

// Read whole first, then placed: the desktop program's way.
Imported preparedThenPlaced(const QByteArray &bytes, VCardImportAs orgs)
{
    return importInto([&](TTreeNode *root) {
        const PreparedVCards cards = PrepareVCards(bytes, orgs, 1);
        PlaceVCardImport(root, cards);
        return cards.notes;
    });
}

} // namespace

TEST(VCardPartsTest, CardsPlacedAsTheyAreReadMakeTheTreeOfCardsReadWholeFirst)
{
    QByteArray bytes = mixedCards(300);
    bytes += "BEGIN:VCARD\r\nFN:late" + QByteArray(1, '\0') + "bad\r\nEND:VCARD\r\n" + mixedCards(40);
    for (VCardImportAs orgs : {VCardImportAs::Person, VCardImportAs::Organization}) {
        const Imported whole = preparedThenPlaced(bytes, orgs);
        ASSERT_GT(whole.notes.read.unreadable, 30);
        ASSERT_GT(whole.notes.persons, 100);
        ASSERT_GT(whole.saved.size(), 10000);
        for (int pieces : {1, 2, 7, 40}) {
            const Imported asRead = importInto([&](TTreeNode *root) { return PlaceVCardsAsRead(root, bytes, orgs, pieces); });
            EXPECT_TRUE(asRead.saved == whole.saved) << pieces;
            EXPECT_EQ(asRead.notes.persons, whole.notes.persons) << pieces;
            EXPECT_EQ(asRead.notes.organizations, whole.notes.organizations) << pieces;
            EXPECT_EQ(asRead.notes.read.unreadable, whole.notes.read.unreadable) << pieces;
            EXPECT_EQ(asRead.notes.read.firstUnreadableLine, whole.notes.read.firstUnreadableLine) << pieces;
            EXPECT_EQ(asRead.notes.read.empty, whole.notes.read.empty) << pieces;
            EXPECT_EQ(asRead.notes.read.unended, whole.notes.read.unended) << pieces;
        }
    }
}

TEST(VCardPartsTest, ASaveCopiesPlacedCardsAsALoadedFileOfThemIsWritten)
{
    const QByteArray bytes = mixedCards(300);
    // At the top the leaves keep the level they were made with; a folder down they take another.
    for (bool inFolder : {false, true}) {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        QByteArray saved;
        {
            FakeServices services;
            TTreeNodes nodes;
            nodes.Context().SetServices(&services);
            TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
            TTreeNode *target = inFolder ? CreateItem(ItemKind::Folder, "Cards", {}, {}, root, {}, 0)->Node() : root;
            PlaceVCardsAsRead(target, bytes, VCardImportAs::Organization, 3);
            SaveDatabase(nodes);
            saved = ReadBytes("mira.dat");
        }
        // Loaded back, the leaves are looked over record by record before they are copied.
        QByteArray again;
        {
            FakeServices services;
            TTreeNodes nodes;
            nodes.Context().SetServices(&services);
            TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
            LoadDatabase(root);
            EXPECT_GT(root->Count(), 0);
            SaveDatabase(nodes);
            again = ReadBytes("mira.dat");
        }
        QDir::setCurrent(previous);
        EXPECT_GT(saved.count(inFolder ? "\r\n{3 " : "\r\n{2 "), 200) << inFolder;
        EXPECT_TRUE(again == saved) << inFolder;
    }
}

TEST(VCardPartsTest, CardsReadInPiecesMakeWhatTheyMakeReadWhole)
{
    QByteArray bytes = mixedCards(200);
    // Unreadable cards late in the file: their line is counted over the pieces before.
    bytes += "BEGIN:VCARD\r\nFN:late" + QByteArray(1, '\0') + "bad\r\nEND:VCARD\r\n" + mixedCards(15);
    ASSERT_GT(VCardCutAfter(bytes, bytes.size() / 2), bytes.size() / 2);

    const Prepared whole = prepare(bytes, 1);
    const VCardReadNotes &read = whole.cards.notes.read;
    ASSERT_GT(read.unreadable, 30);
    ASSERT_GT(read.firstUnreadableLine, 0);
    ASSERT_GT(read.empty, 0);
    ASSERT_GT(read.unended, 0);
    ASSERT_GT(whole.cards.notes.organizations, 0);
    for (int parts : {2, 3, 8}) {
        const Prepared pieces = prepare(bytes, parts);
        EXPECT_EQ(joined(pieces.cards), joined(whole.cards)) << parts;
        EXPECT_EQ(pieces.asked, whole.asked) << parts;
        const VCardImportNotes &notes = pieces.cards.notes;
        EXPECT_EQ(notes.persons, whole.cards.notes.persons);
        EXPECT_EQ(notes.organizations, whole.cards.notes.organizations);
        EXPECT_EQ(notes.read.unreadable, read.unreadable);
        EXPECT_EQ(notes.read.firstUnreadableLine, read.firstUnreadableLine);
        EXPECT_EQ(notes.read.empty, read.empty);
        EXPECT_EQ(notes.read.unended, read.unended);
    }
    // The only unreadable card, late in the file, is reported where it stands.
    const QByteArray lateOnly = mixedCards(4).replace('\0', 'x') + mixedCards(4).replace('\0', 'x') +
                                "BEGIN:VCARD\nN:x" + QByteArray(1, '\0') + "\nEND:VCARD\n";
    const int line = lateOnly.left(lateOnly.lastIndexOf("BEGIN")).count('\n') + 1;
    EXPECT_EQ(prepare(lateOnly, 1).cards.notes.read.firstUnreadableLine, line);
    EXPECT_EQ(prepare(lateOnly, 2).cards.notes.read.firstUnreadableLine, line);
}

TEST(VCardPartsTest, AFileIsCutOnlyWhereACardEndsAndTheNextBegins)
{
    const QByteArray soft = "BEGIN:VCARD\r\nNOTE;QUOTED-PRINTABLE:a=\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:x\r\n";
    EXPECT_EQ(VCardCutAfter(soft, 0), -1);
    const QByteArray plain = "BEGIN:VCARD\nFN:a\nEND:VCARD\nBEGIN:VCARD\nFN:b\nEND:VCARD\nBEGIN:VCARD\n";
    const qsizetype second = plain.indexOf("BEGIN", 1);
    EXPECT_EQ(VCardCutAfter(plain, 0), second);
    // The two lines before a cut are looked at whole: from the start of the one before END on.
    EXPECT_EQ(VCardCutAfter(plain, plain.indexOf("FN:a")), second);
    EXPECT_EQ(VCardCutAfter(plain, plain.indexOf("FN:a") + 1), plain.lastIndexOf("BEGIN"));
    // From inside a line, the next whole line is the first looked at.
    EXPECT_EQ(VCardCutAfter(plain, second + 2), plain.lastIndexOf("BEGIN"));
    EXPECT_EQ(VCardCutAfter(plain, plain.size()), -1);
    // A lone CR ends a line too; a blank after the END is no BEGIN.
    EXPECT_EQ(VCardCutAfter("FN:a\rEND:VCARD\rBEGIN:VCARD\r", 0), 15);
    EXPECT_EQ(VCardCutAfter("FN:a\r\nEND:VCARD\r\n BEGIN:VCARD\r\n", 0), -1);
}

TEST(VCardPartsTest, OneAnswerForEveryOrganizationMakesWhatTheSameAnswerToEachQuestionMakes)
{
    const QByteArray bytes = mixedCards(120);
    for (VCardImportAs as : {VCardImportAs::Person, VCardImportAs::Organization}) {
        ItemIds::Seed(1802, 9373);
        int asked = 0;
        const PreparedVCards questioned = PrepareVCards(bytes, [&](const QString &, const QString &) {
            ++asked;
            return as;
        }, 1);
        ASSERT_GT(asked, 10);
        for (int parts : {1, 2, 3}) {
            ItemIds::Seed(1802, 9373);
            const PreparedVCards answered = PrepareVCards(bytes, as, parts);
            EXPECT_EQ(joined(answered), joined(questioned)) << parts;
            EXPECT_EQ(answered.notes.persons, questioned.notes.persons);
            EXPECT_EQ(answered.notes.organizations, questioned.notes.organizations);
            EXPECT_EQ(answered.records.size(), size_t(parts)) << "one piece per part, none copied";
        }
    }
    // Each record has its Id in full, and no room left where the Id went.
    ItemIds::Seed(1802, 9373);
    const QByteArray records = joined(PrepareVCards(bytes, VCardImportAs::Organization, 2));
    int headers = 0;
    for (const QByteArray &line : records.split('\n')) {
        if (line.size() < 2 || line[0] != '{' || line[1] < '0' || line[1] > '9')
            continue; // a data line
        ++headers;
        const QByteArray id = line.mid(line.lastIndexOf("~~") + 2);
        EXPECT_TRUE(id.size() >= 2 && id.endsWith('\r') &&
                    std::all_of(id.begin(), id.end() - 1, [](char c) { return c >= '0' && c <= '9'; }))
            << line.constData();
    }
    EXPECT_GT(headers, 100);
}

TEST(VCardPartsTest, AFileOfMoreCardsThanAreReadGivesWhatOnePieceGives)
{
    QByteArray bytes;
    bytes.reserve(30 << 20);
    for (int i = 0; i < TVCardFile::MaxCards + 3; ++i)
        bytes += "BEGIN:VCARD\nFN:P" + QByteArray::number(i) + "\nEND:VCARD\n";
    ItemIds::Seed(1802, 9373);
    const PreparedVCards whole = PrepareVCards(bytes, VCardImportAs::Person, 1);
    ASSERT_TRUE(whole.notes.read.tooMany);
    EXPECT_EQ(whole.notes.persons, TVCardFile::MaxCards);
    ItemIds::Seed(1802, 9373);
    const PreparedVCards halves = PrepareVCards(bytes, VCardImportAs::Person, 2);
    EXPECT_TRUE(halves.notes.read.tooMany);
    EXPECT_EQ(halves.notes.persons, TVCardFile::MaxCards);
    EXPECT_TRUE(joined(halves) == joined(whole)); // not printed: tens of megabytes
    // Placed as read, the pieces stop once they hold too many, and say so as a whole read does.
    FakeServices services;
    TTreeNodes nodes;
    nodes.Context().SetServices(&services);
    TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
    const VCardImportNotes placed = PlaceVCardsAsRead(root, bytes, VCardImportAs::Person, 2);
    EXPECT_TRUE(placed.read.tooMany);
    EXPECT_EQ(placed.persons, TVCardFile::MaxCards);
    EXPECT_LT(root->Count(), TVCardFile::MaxCards);
}

TEST(VCardPartsTest, ACardOfTheFileModelMapsAsTheImportersOwnReading)
{
    // Besides the usual shapes: blanks beyond ASCII around names, a byte-order mark before
    // a value, a street of many lines, values the record grammar must encode, an older
    // file's card and one with only a formatted name.
    const QByteArray bytes = mixedCards(70).replace('\0', 'x') +
                             "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:\xC2\xA0 Spacey \xE2\x80\x83\r\nN:\xC2\xA0;\xE2\x80\x83\r\n"
                             "TEL;TYPE=WORK:\xEF\xBB\xBF" "12\r\nADR;PREF:;;a\\nb\\nc\\nd\\n\\n;\xEF\xBB\xBFT\xC3\xB6wn\r\n"
                             "EMAIL;TYPE=PREF:~x~~y~\r\nNOTE:50%\\nnew line\r\nORG:\t\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nFN:Older\r\nTITLE:Old Title\r\nADR:L1;L2;L3;C;S;Z;Co\r\nTEL;FAX:1\r\nEND:VCARD\r\n"
                             "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Ann \"Q, R\" Lee\r\nURL:u\r\nURL:v\r\nEND:VCARD\r\n";
    for (VCardImportAs as : {VCardImportAs::Person, VCardImportAs::Organization}) {
        ItemIds::Seed(1802, 9373);
        const PreparedVCards read = PrepareVCards(bytes, as, 1);
        ASSERT_EQ(read.records.size(), 1u);

        TVCardFile file;
        file.LoadFromBytes(bytes);
        CardRecords records;
        for (int i = 0; i < file.Count(); ++i)
            AppendCardRecords(records, file.Cards(i), file.Cards(i).FindProperty(u"ORG") ? as : VCardImportAs::Person, 1);
        ItemIds::Seed(1802, 9373);
        EXPECT_EQ(records.TakeWithIds(), read.records.front());
    }
}
