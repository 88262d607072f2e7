#include "exchange/vcardfile.h"

#include "store/recordfile.h"
#include "support/filebytes.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TCardProperty line(const QString &text)
{
    TCardProperty p;
    p.SetLine(text);
    return p;
}

TVCardFile read(const QByteArray &bytes)
{
    TVCardFile file;
    file.LoadFromBytes(bytes);
    return file;
}

QString value(const TCard &card, const char *name, int index = 0)
{
    const TCardProperty *p = card.FindProperty(QString::fromLatin1(name));
    return p ? p->Values.value(index) : QStringLiteral("<none>");
}

using namespace VCardTypes;

} // namespace

TEST(VCardPropertyTest, TypesAreReadBareOrAsTypeListsAndWrittenInTableOrder)
{
    EXPECT_EQ(line("TEL;HOME;PREF:555").Types, Bit(Home) | Bit(Pref));
    EXPECT_EQ(line("TEL;TYPE=HOME:555").Types, Bit(Home));
    EXPECT_EQ(line("tel;type=work,voice;type=pref:1").Types, Bit(Work) | Bit(Voice) | Bit(Pref));
    EXPECT_EQ(line("TEL;TYPE=\"voice,cell\";PREF=1:1").Types, Bit(Voice) | Bit(Cell) | Bit(Pref));
    EXPECT_EQ(line("TEL;PREF=2:1").Types, 0u);
    EXPECT_EQ(line("TEL;PREF;FAX:555-1234").GetLine(), "TEL;TYPE=PREF,FAX:555-1234");
    EXPECT_EQ(line("ADR;POSTAL;HOME:x").TypesDescription(), "Postal,Home");
    EXPECT_EQ(line("TEL:1").TypesDescription(), "");
    EXPECT_EQ(FromDescription("Home,Cellular 2"), Bit(Home) | Bit(Cell));
    EXPECT_EQ(FromDescription("Mobile"), 0u);
    // A group prefix is dropped, a quoted colon does not end the head.
    TCardProperty grouped = line("item1.ADR;LABEL=\"a: b\";TYPE=WORK:;;Street;Town;;;");
    EXPECT_EQ(grouped.Name, "ADR");
    EXPECT_EQ(grouped.Types, Bit(Work));
    EXPECT_EQ(grouped.Values.value(2), "Street");
}

TEST(VCardPropertyTest, KeptNamesAreFoundInAnyCaseAndOnlyWhole)
{
    EXPECT_EQ(VCardNameOf(QByteArrayView("tel")), VCardName::TEL);
    EXPECT_EQ(VCardNameOf(QByteArrayView("Email")), VCardName::EMAIL);
    EXPECT_EQ(VCardNameOf(QByteArrayView("VERSION")), VCardName::VERSION);
    EXPECT_EQ(VCardNameOf(QByteArrayView("n")), VCardName::N);
    const char *const kept[] = {"FN", "N", "ADR", "TEL", "EMAIL", "TITLE", "ORG", "URL", "NOTE", "VERSION"};
    for (size_t row = 0; row < std::size(kept); ++row) {
        EXPECT_EQ(VCardNameOf(QByteArrayView(kept[row])), VCardName(row)) << kept[row];
        EXPECT_EQ(VCardNameOf(QByteArrayView(QByteArray(kept[row]).toLower())), VCardName(row)) << kept[row];
        // The same length and first letter, another name.
        QByteArray other(kept[row]);
        if (other.size() > 1) {
            other[1] = '!';
            EXPECT_EQ(VCardNameOf(QByteArrayView(other)), VCardName::Other) << kept[row];
        }
    }
    for (const char *other : {"", "TE", "TELX", "X-TEL", "NICKNAME", "FN ", "VERSIONS", "T\rL"})
        EXPECT_EQ(VCardNameOf(QByteArrayView(other)), VCardName::Other) << other;
    EXPECT_EQ(VCardNameOf(QStringView(u"Url")), VCardName::URL);
    EXPECT_EQ(VCardNameOf(QStringView(u"T\u00C9L")), VCardName::Other);
    EXPECT_EQ(VCardNameOf(QStringView(u"ADDRESSES")), VCardName::Other);
    // Only kept names fall into components, whatever their case.
    EXPECT_EQ(line("adr:a;b").Values, QStringList({"a", "b"}));
    EXPECT_EQ(line("x-adr:a;b").Values, QStringList{"a;b"});
    EXPECT_EQ(line("tel;value=uri:TEL:+1").Values, QStringList{"+1"});
    EXPECT_EQ(line("email:MAILTO:a@b").Values, QStringList{"a@b"});
    EXPECT_EQ(line("note:mailto:a@b").Values, QStringList{"mailto:a@b"});
    EXPECT_EQ(line("TEL:Tel:5").Values, QStringList{"5"});
    EXPECT_EQ(line("TEL:te").Values, QStringList{"te"});
    EXPECT_EQ(line("TEL:4el:5").Values, QStringList{"4el:5"});
}

TEST(VCardPropertyTest, OnlyNAdrAndOrgFallIntoComponentsAndValuesAreEscaped)
{
    EXPECT_EQ(line("ORG:Smith, Jones & Co").Values, QStringList{"Smith, Jones & Co"});
    EXPECT_EQ(line("FN:Smith, John").Values, QStringList{"Smith, John"});
    EXPECT_EQ(line("TITLE:Head; Sales").Values, QStringList{"Head; Sales"});
    EXPECT_EQ(line("N:Smith;John;;").Values, QStringList({"Smith", "John", "", ""}));
    EXPECT_EQ(line("N:Smith;John;;").GetLine(), "N:Smith;John;;");
    EXPECT_EQ(line("ADR:;;12 Main St\\, Apt 4\\nRear\\;left;Town").Values,
              QStringList({"", "", "12 Main St, Apt 4\nRear;left", "Town"}));
    EXPECT_EQ(line("FN: John Smith").Values, QStringList{"John Smith"});
    // Nothing is eaten by quoting; a backslash before anything else stays.
    EXPECT_EQ(line("FN:\"Bob\" the \"Builder\"").First(), "\"Bob\" the \"Builder\"");
    EXPECT_EQ(line("URL:file:\\\\server\\share").First(), "file:\\server\\share");
    EXPECT_EQ(line("URL:http\\://example.org").First(), "http://example.org");

    TCardProperty written;
    written.Name = "ADR";
    written.Values = {"", "", "a\\b;c,d\ne", "x"};
    EXPECT_EQ(written.GetLine(), "ADR:;;a\\\\b\\;c\\,d\\ne;x");
    EXPECT_EQ(line(written.GetLine()).Values, written.Values);
    TCardProperty fn;
    fn.Name = "FN";
    fn.Values = {"Smith; Jones, \\ and\r\nCo"};
    EXPECT_EQ(line(fn.GetLine()).Values, QStringList{"Smith; Jones, \\ and\nCo"});
    // 4.0's uri values give the number and the address themselves.
    EXPECT_EQ(line("TEL;VALUE=uri:tel:+1-555-0100").First(), "+1-555-0100");
    EXPECT_EQ(line("EMAIL:mailto:kim@example.org").First(), "kim@example.org");

    // Values are looked at several characters at a time: an escape or a control character
    // is found wherever it stands in a long value, and in any component.
    for (int length : {6, 8, 9, 16, 23, 40}) {
        for (int at = 0; at < length; ++at) {
            const QString plain(length, u'a');
            EXPECT_EQ(line("NOTE:" + QString(plain).insert(at, "\\n")).First(), QString(plain).insert(at, u'\n'));
            EXPECT_EQ(line("NOTE:" + QString(plain).insert(at, u'\x01')).First(), QString(plain).insert(at, u' '));
            // A tab is a blank at the start of a value, which goes.
            EXPECT_EQ(line("NOTE:" + QString(plain).insert(at, u'\t')).First(),
                      at == 0 ? plain : QString(plain).insert(at, u' '));
            EXPECT_EQ(line("NOTE:" + QString(plain).insert(at, u'\n')).First(), QString(plain).insert(at, u'\n'));
            EXPECT_EQ(line("ADR:;;" + QString(plain).insert(at, "\\,") + ";x").Values.value(2),
                      QString(plain).insert(at, u','));
            EXPECT_EQ(line("ADR:;;x;" + QString(plain).insert(at, u'\x1F')).Values.value(3),
                      QString(plain).insert(at, u' '));
        }
    }
}

TEST(VCardPropertyTest, ALineWithoutANameMatchesNothing)
{
    TCard card;
    card.Add(line(":no name"));
    card.Add(line("no colon at all"));
    card.Add(line("NOTE:a note"));
    EXPECT_EQ(card.Items(0).Name, "");
    EXPECT_EQ(card.Items(1).First(), "no colon at all");
    EXPECT_EQ(card.FindProperty(u"N"), nullptr);
    EXPECT_EQ(card.FindProperty(u""), nullptr);
    card.Add(line("n:Lee;Kim"));
    ASSERT_NE(card.FindProperty(u"N"), nullptr);
    EXPECT_EQ(card.IndexOf(card.FindProperty(u"N")), 3);
    EXPECT_EQ(card.TakeProperty(u"N")->Values.value(1), "Kim");
    EXPECT_EQ(card.Count(), 3);
}

TEST(VCardFileTest, LineEndsFoldingAndDelimitersInAnyCase)
{
    for (const QByteArray &eol : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        QByteArray bytes = "junk before\r\nbegin:vcard" + eol + "FN:Ann Lee" + eol + "N:Lee;Ann" + eol +
                           "End:VCard" + eol + "text between" + eol + "BEGIN:VCARD" + eol + "FN:Bo" + eol +
                           "END:VCARD" + eol;
        const TVCardFile file = read(bytes);
        ASSERT_EQ(file.Count(), 2) << eol.toHex().constData();
        // After a CR only an LF goes with it: no line loses its first letter.
        EXPECT_EQ(value(file.Cards(0), "FN"), "Ann Lee");
        EXPECT_EQ(value(file.Cards(0), "N", 1), "Ann");
        EXPECT_EQ(value(file.Cards(1), "FN"), "Bo");
        EXPECT_EQ(file.Cards(1).Line, 7);
    }
    // Line ends of every kind in one file, a lone CR last.
    const TVCardFile mixed = read("BEGIN:VCARD\nFN:A\r\nN:Lee;Ann\rEND:VCARD\r\n\r\nBEGIN:VCARD\rFN:B\n\rEND:VCARD\r");
    ASSERT_EQ(mixed.Count(), 2);
    EXPECT_EQ(value(mixed.Cards(0), "FN"), "A");
    EXPECT_EQ(value(mixed.Cards(0), "N", 1), "Ann");
    EXPECT_EQ(value(mixed.Cards(1), "FN"), "B");
    EXPECT_EQ(mixed.Cards(1).Line, 6);
    // Folded lines lose the line end and one blank; a quoted-printable value goes on
    // after a line that ends in "=".
    const TVCardFile folded = read("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Jane \r\n  Doe\r\nEMAIL:jane@exa\r\n\tmple.com\r\n"
                                   "NOTE;ENCODING=QUOTED-PRINTABLE:one=\r\nTEL:not a phone\r\n"
                                   "ADR;ENCODING=QUOTED-PRINTABLE:;;Main=\r\n St;Town\r\nEND:VCARD\r\n");
    ASSERT_EQ(folded.Count(), 1);
    const TCard &card = folded.Cards(0);
    EXPECT_EQ(card.Version, "3.0");
    EXPECT_EQ(value(card, "FN"), "Jane  Doe");
    EXPECT_EQ(value(card, "EMAIL"), "jane@example.com");
    EXPECT_EQ(card.FindProperty(u"TEL"), nullptr);
    EXPECT_EQ(value(card, "ADR", 2), "Main St");
}

TEST(VCardFileTest, CharsetsAndQuotedPrintable)
{
    const TVCardFile file = read(
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=BCrgen;;Dr.\r\n"
        "FN;QUOTED-PRINTABLE;CHARSET=ISO-8859-1:Fran=E7ois=20=\r\nM=FCller\r\n"
        "ADR;HOME;ENCODING=QUOTED-PRINTABLE:;;Hauptstra=C3=9Fe 5=0D=0AHinterhaus;Berlin;;10115;=\r\nDeutschland\r\n"
        "TITLE:Stra\xDF" "e\r\n"
        "ORG:Caf\xC3\xA9 Z=C3\r\n"
        "END:VCARD\r\n");
    ASSERT_EQ(file.Count(), 1);
    const TCard &card = file.Cards(0);
    EXPECT_EQ(value(card, "N", 0), QString::fromUtf8("M\xC3\xBCller"));
    EXPECT_EQ(value(card, "N", 3), "Dr.");
    EXPECT_EQ(value(card, "FN"), QString::fromUtf8("Fran\xC3\xA7ois M\xC3\xBCller"));
    EXPECT_EQ(value(card, "ADR", 2), QString::fromUtf8("Hauptstra\xC3\x9F" "e 5\nHinterhaus"));
    EXPECT_EQ(value(card, "ADR", 6), "Deutschland");
    // Without a charset: UTF-8 where it is valid, else Windows-1252; no decoding without the encoding.
    EXPECT_EQ(value(card, "TITLE"), QString::fromUtf8("Stra\xC3\x9F" "e"));
    EXPECT_EQ(value(card, "ORG"), QString::fromUtf8("Caf\xC3\xA9 Z=C3"));

    QByteArray utf16 = "\xFF\xFE";
    for (QChar c : QString::fromUtf8("BEGIN:VCARD\r\nFN:Zo\xC3\xAB\r\nEND:VCARD\r\n")) {
        utf16 += char(c.unicode() & 0xFF);
        utf16 += char(c.unicode() >> 8);
    }
    ASSERT_EQ(read(utf16).Count(), 1);
    EXPECT_EQ(value(read(utf16).Cards(0), "FN"), QString::fromUtf8("Zo\xC3\xAB"));
}

TEST(VCardFileTest, HostileInputIsSkippedWithACountAndNeverStopsTheRead)
{
    QByteArray bytes = "BEGIN:VCARD\r\nFN:Good\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:Bad";
    bytes += QByteArray(1, '\0') + "name\r\nEND:VCARD\r\n";
    bytes += "BEGIN:VCARD\r\nFN:" + QByteArray(1 << 20, 'x') + "\r\nEND:VCARD\r\n";
    bytes += "BEGIN:VCARD\r\nFN:Photo\r\nPHOTO;ENCODING=b:" + QByteArray(1 << 20, 'Q') + "\r\nEND:VCARD\r\n";
    bytes += "BEGIN:VCARD\r\nVERSION:3.0\r\nPHOTO:x\r\nEND:VCARD\r\n";
    bytes += "BEGIN:VCARD\r\nFN:Unended\r\n";
    bytes += "BEGIN:VCARD\r\nFN:Last\r\n";
    const TVCardFile file = read(bytes);
    ASSERT_EQ(file.Count(), 4);
    EXPECT_EQ(value(file.Cards(0), "FN"), "Good");
    EXPECT_EQ(value(file.Cards(1), "FN"), "Photo");
    EXPECT_EQ(value(file.Cards(2), "FN"), "Unended");
    EXPECT_EQ(value(file.Cards(3), "FN"), "Last");
    EXPECT_EQ(file.Notes().unreadable, 2);
    EXPECT_EQ(file.Notes().firstUnreadableLine, 4);
    EXPECT_EQ(file.Notes().empty, 1);
    EXPECT_EQ(file.Notes().unended, 2);
    EXPECT_EQ(VCardShortfall(file.Notes()),
              "2 cards could not be read (bytes that are no text, or a line longer than 65536 characters) and were "
              "skipped, the first at line 4; 1 card held nothing to import");

    // Junk of every byte value reads to whatever cards it holds, none here.
    QRandomGenerator random(12);
    QByteArray junk(1 << 20, '\0');
    for (char &c : junk)
        c = char(random.bounded(256));
    EXPECT_EQ(read(junk).Count(), 0);
    EXPECT_EQ(read("BEGIN:VCARD\r\n" + junk).Count(), 0);
}

TEST(VCardFileTest, AHundredThousandCardsAllRead)
{
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "BEGIN:VCARD\nVERSION:3.0\nFN:P" + QByteArray::number(i) + "\nTEL;TYPE=CELL:" + QByteArray::number(i) +
                 "\nEND:VCARD\n";
    const TVCardFile file = read(bytes);
    ASSERT_EQ(file.Count(), 100000);
    EXPECT_EQ(value(file.Cards(99999), "TEL"), "99999");
    EXPECT_EQ(VCardShortfall(file.Notes()), "");
}

TEST(VCardFileTest, SavedCardsHaveBeginVersionEndAndFoldLongLinesWithinCharacters)
{
    QTemporaryDir dir;
    TVCardFile file;
    file.Filename = dir.filePath("out.vcf");
    TCard card;
    card.Add(line("FN:J\xC3\xBCrgen"));
    TCardProperty note;
    note.Name = "ORG";
    note.Values = {QString(40, QChar(0xE9)) + "a,b"};
    card.Add(note);
    file.AddCard(card);
    file.SaveToFile();
    const QByteArray bytes = ReadBytes(file.Filename);
    EXPECT_TRUE(bytes.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:J\xC3\xBCrgen\r\nORG:"));
    EXPECT_TRUE(bytes.endsWith("a\\,b\r\nEND:VCARD\r\n"));
    for (const QByteArray &l : bytes.split('\n'))
        EXPECT_LE(l.size(), 76);
    TVCardFile back;
    back.Filename = file.Filename;
    back.LoadFromFile();
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.Cards(0).Items(1).Values, note.Values);

    TVCardFile missing;
    missing.Filename = dir.filePath("none.vcf");
    EXPECT_THROW(missing.LoadFromFile(), EInOutError);
    missing.Filename = dir.path();
    EXPECT_THROW(missing.LoadFromFile(), EInOutError);
}
