#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <string_view>

// One line of a vCard: its name, the type words it carries and its value components.
// Types are a set over a fixed table of 29 words, bit n for row n.
namespace VCardTypes {

enum Row : int {
    Dom, Intl, Postal, Parcel, Home, Work, Pref, Voice, Fax, Msg, Cell, Pager, Bbs, Modem, Car, Isdn,
    Video, Aol, AppleLink, AttMail, Cis, EWorld, Internet, IbmMail, McIMail, PowerShare, Prodigy, Tlx, X400,
    RowCount
};
using Set = quint32;
constexpr Set Bit(Row row) { return Set(1) << row; }

// The word as written in a line ("WORK") and its text for the user ("Office").
QString Word(int row);
QString Text(int row);
// The display texts of the set in table order, joined by ",".
QString Description(Set types);
// The set a title made by Description names again: each comma-separated piece that is
// the text of a row, with a numbering suffix (" 2") allowed. Other pieces name nothing.
Set FromDescription(const QString &title);

} // namespace VCardTypes

// A blank as text tells them, of the characters that are one byte in UTF-8.
inline bool IsBlankByte(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Whether the n bytes at s are word (ASCII) without regard to case: names and parameters
// are compared on every line of a card.
inline bool SameAsciiWord(const char *s, const char *word, size_t n)
{
    for (size_t i = 0; i < n; ++i) {
        const unsigned char a = uchar(s[i]);
        const unsigned char b = uchar(word[i]);
        // Bytes that differ may still be one letter in two cases.
        if (a != b && ((a ^ b) != 0x20 || unsigned((a | 0x20) - 'a') > 25))
            return false;
    }
    return true;
}
// The same for the whole of s, and for its start.
inline bool IsAsciiWord(QByteArrayView s, std::string_view word)
{
    return size_t(s.size()) == word.size() && SameAsciiWord(s.data(), word.data(), word.size());
}
inline bool StartsWithAsciiWord(QByteArrayView s, std::string_view word)
{
    return size_t(s.size()) >= word.size() && SameAsciiWord(s.data(), word.data(), word.size());
}

// The properties the reader keeps, each of its name; Other for every other name.
enum class VCardName : quint8 { FN, N, ADR, TEL, EMAIL, TITLE, ORG, URL, NOTE, VERSION, Other };
// The property a name (without a group prefix) is, compared without regard to case.
VCardName VCardNameOf(QByteArrayView name);
VCardName VCardNameOf(QStringView name);
// The name as text; a kept name written in capitals shares one text with every other.
QString VCardNameText(QByteArrayView name, VCardName kept);

// What a line says before its value: the parameters that matter to the reader. Its texts
// are views into the line.
struct VCardHead
{
    QByteArrayView name;   // without a group prefix ("item1.")
    VCardName kept = VCardName::Other;
    VCardTypes::Set types = 0;
    bool quotedPrintable = false;
    bool base64 = false;
    bool uriValue = false; // VALUE=uri
    QByteArrayView charset; // as written, empty when none
};
// Reads the text before a line's colon: the group and name, then ";"-separated
// parameters, bare (2.1) or NAME=value,value (3.0, 4.0), values possibly in quotes.
VCardHead ParseVCardHead(QByteArrayView head);
// Where the head of a line (UTF-8) ends: the first ":" outside double quotes, or -1.
qsizetype VCardHeadEnd(QByteArrayView line);

class TCardProperty
{
public:
    QString Name;
    VCardTypes::Set Types = 0;
    QStringList Values;

    // Parses one unfolded, decoded line into Name, Types and Values, replacing them.
    // A line without a colon has no name, so no lookup finds it.
    void SetLine(const QString &line);
    // The same from a head already read and the decoded text after the colon.
    void SetParts(const VCardHead &head, const QString &body);
    // The property as one line: types as TYPE=..., values escaped.
    QString GetLine() const;
    QString TypesDescription() const { return VCardTypes::Description(Types); }
    bool Has(VCardTypes::Row row) const { return Types & VCardTypes::Bit(row); }
    // The first value, or empty.
    QString First() const { return Values.value(0); }
};
