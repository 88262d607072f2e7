#include "exchange/vcardfile.h"
#include "exchange/vcardvalues.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

QStringList texts(const VCardPieces &pieces)
{
    QStringList out;
    for (QByteArrayView piece : pieces)
        out << QString::fromUtf8(piece);
    return out;
}

bool inside(QByteArrayView piece, QByteArrayView text)
{
    return piece.data() >= text.data() && piece.data() + piece.size() <= text.data() + text.size();
}

} // namespace

TEST(VCardValuesTest, PiecesNeedingNothingStayInTheTextAndOthersAreReadOutOfIt)
{
    TextRoom room;
    VCardPieces pieces;
    const struct
    {
        VCardName name;
        bool uri;
        QByteArray text;
        QStringList expected;
        bool inText; // every piece a view into the text
    } cases[] = {
        {VCardName::ADR, false, "  ;;12 Main St;Town;;62701;USA", {"", "", "12 Main St", "Town", "", "62701", "USA"}, true},
        {VCardName::ADR, false, ";;12 Main St\\, Apt 4\\;B;Spring\\nfield", {"", "", "12 Main St, Apt 4;B", "Spring\nfield"}, false},
        // Only N, ADR and ORG have components; commas are text everywhere.
        {VCardName::FN, false, "Doe; Jane, Jr.", {"Doe; Jane, Jr."}, true},
        {VCardName::NOTE, false, "a\\\\b\\q\\", {"a\\b\\q\\"}, false},
        {VCardName::NOTE, false, "tab\there\r\nCR\rend\x01", {"tab here\nCR\nend "}, false},
        {VCardName::TEL, false, "TEL:+1 555", {"+1 555"}, true},
        {VCardName::URL, true, "tel:5", {"5"}, true},
        {VCardName::URL, false, "tel:5", {"tel:5"}, true},
        {VCardName::EMAIL, false, "MailTo:a@b.c", {"a@b.c"}, true},
        {VCardName::EMAIL, false, "mail:a@b.c", {"mail:a@b.c"}, true},
        {VCardName::ORG, false, "J\xC3\xBCrgen & Co;R\xC3\xA9search", {"J\u00fcrgen & Co", "R\u00e9search"}, true},
    };
    for (const auto &c : cases) {
        SplitVCardValue(c.name, c.uri, c.text, room, pieces);
        EXPECT_EQ(texts(pieces), c.expected) << c.text.constData();
        for (QByteArrayView piece : pieces) {
            if (c.inText) {
                EXPECT_TRUE(piece.isEmpty() || inside(piece, c.text)) << c.text.constData();
            }
        }
    }
    // Sixteen bytes are looked at in one go: a backslash or control character is found
    // wherever it stands.
    for (int at = 0; at < 40; ++at) {
        for (char odd : {'\\', '\t'}) {
            QByteArray text(40, 'a');
            text[at] = odd;
            SplitVCardValue(VCardName::NOTE, false, text, room, pieces);
            ASSERT_EQ(pieces.size(), 1);
            QByteArray expected = text;
            if (odd == '\t')
                expected[at] = ' ';
            if (at == 0 && odd == '\t')
                expected.remove(0, 1); // a leading blank is no part of the value
            EXPECT_EQ(pieces[0], expected) << at;
        }
    }
}

TEST(VCardValuesTest, ValuesAreDecodedOnlyWhenTheyAreNotUtf8AsTheyStand)
{
    TextRoom room;
    const auto decoded = [&room](const QByteArray &value, const QByteArray &params) {
        const QByteArray head = "FN" + params;
        return DecodedVCardText(value, ParseVCardHead(head), room).toByteArray();
    };
    const QByteArray plain = "J\xC3\xBCrgen";
    EXPECT_EQ(DecodedVCardText(plain, ParseVCardHead("FN;CHARSET=utf-8"), room).data(), plain.constData());
    // Not UTF-8: read as Windows-1252.
    EXPECT_EQ(decoded("J\xFCrgen \x80", ""), "J\xC3\xBCrgen \xE2\x82\xAC");
    EXPECT_EQ(decoded("J=C3=BCrgen=0D=0A", ";ENCODING=QUOTED-PRINTABLE"), "J\xC3\xBCrgen\r\n");
    EXPECT_EQ(decoded("M\xFC", ";CHARSET=ISO-8859-1"), "M\xC3\xBC");
    // A byte-order mark at the start of a value is dropped, as the file model drops it.
    EXPECT_EQ(decoded("\xEF\xBB\xBFName", ""), "Name");
    EXPECT_EQ(decoded("Na\xEF\xBB\xBFme", ""), "Na\xEF\xBB\xBFme");
}

TEST(VCardValuesTest, TextsPutInTheRoomStayWhereTheyAre)
{
    TextRoom room;
    std::vector<std::pair<QByteArrayView, QByteArray>> kept;
    for (int i = 0; i < 3000; ++i) {
        // Now and then one larger than a block of the room.
        const QByteArray text = i % 500 == 7 ? QByteArray(40000, char('a' + i % 26)) : QByteArray::number(i) + " text";
        kept.push_back({room.Copy(QByteArrayView(text)), text});
    }
    for (const auto &[view, text] : kept)
        ASSERT_EQ(view, text);
    room.Clear();
    EXPECT_EQ(room.Copy(QStringView(u"J\u00fcrgen")), "J\xC3\xBCrgen");
}

TEST(VCardValuesTest, ACardOfTheFileModelHasTheValuesItWasReadWith)
{
    // Folded and quoted-printable values are put together where the next one is put
    // together too: each card keeps its own.
    const QByteArray text = "BEGIN:VCARD\r\nVERSION: 3.0 \r\nN:Doe;Ja\r\n ne;;;\r\nitem1.adr;type=home:;;1 Ma\r\n in;To\r\n wn\r\n"
                            "NOTE;QUOTED-PRINTABLE:a=\r\nb\r\nX-SKIP:x\r\nEND:VCARD\r\n";
    VCardReadNotes notes;
    int cards = 0;
    ReadVCardText(text, notes, [&cards](CardValues &values) {
        ++cards;
        EXPECT_EQ(values.Version(), "3.0");
        ASSERT_EQ(values.Count(), 3);
        const CardValues::Property *adr = values.Find(VCardName::ADR);
        ASSERT_NE(adr, nullptr);
        EXPECT_EQ(values.Piece(*adr, 2), "1 Main");
        EXPECT_EQ(values.Piece(*adr, 3), "Town");
        EXPECT_EQ(values.Piece(*adr, 9), "");
        EXPECT_EQ(values.Piece(*values.Find(VCardName::N), 1), "Jane");

        const TCard card = values.ToCard();
        EXPECT_EQ(card.Version, "3.0");
        ASSERT_NE(card.FindProperty(u"ADR"), nullptr);
        EXPECT_EQ(card.FindProperty(u"ADR")->Name, "adr");
        EXPECT_EQ(card.FindProperty(u"ADR")->Values, QStringList({"", "", "1 Main", "Town"}));
        EXPECT_EQ(card.FindProperty(u"NOTE")->First(), "ab");

        CardValues back;
        back.Assign(card);
        ASSERT_EQ(back.Count(), values.Count());
        for (int i = 0; i < back.Count(); ++i) {
            const CardValues::Property &a = back.Properties()[size_t(i)];
            const CardValues::Property &b = values.Properties()[size_t(i)];
            EXPECT_EQ(a.name, b.name);
            EXPECT_EQ(a.types, b.types);
            ASSERT_EQ(a.count, b.count);
            for (qsizetype k = 0; k < a.count; ++k)
                EXPECT_EQ(back.Piece(a, k), values.Piece(b, k));
        }
    });
    EXPECT_EQ(cards, 1);
}

TEST(VCardValuesTest, WordsAreTheSameWhateverTheCaseOfTheirLettersOnly)
{
    const auto same = [](const char *a, const char *b) { return SameAsciiWord(a, b, std::strlen(a)); };
    EXPECT_TRUE(same("x400", "X400"));
    EXPECT_TRUE(same("quoted-printable", "QUOTED-PRINTABLE"));
    EXPECT_TRUE(same("aZ", "Az"));
    // Bytes that differ by the case bit without being letters are other bytes.
    for (const char *pair : {"@`", "[{", "]}", "^~", "\x01!", "\xC1\xE1", "1\x11"})
        EXPECT_FALSE(SameAsciiWord(pair, pair + 1, 1)) << int(uchar(pair[0]));
}
