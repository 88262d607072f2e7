#include "vcardproperty.h"

#include "vcardvalues.h"

#include "store/vcardline.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstring>

#include <iterator>
#include <string>

using namespace Qt::StringLiterals;

namespace {

struct TypeRow
{
    const char *word;
    const char *text;
    // Words are compared at every type of every line: their lengths are known ahead.
    qsizetype length = std::char_traits<char>::length(word);
};

constexpr std::array<TypeRow, VCardTypes::RowCount> kTypes = {{
    {"DOM", "Domestic"},       {"INTL", "International"}, {"POSTAL", "Postal"},    {"PARCEL", "Parcel"},
    {"HOME", "Home"},          {"WORK", "Office"},        {"PREF", "Preferred"},   {"VOICE", "Voice Line"},
    {"FAX", "Fax Line"},       {"MSG", "Message Only"},   {"CELL", "Cellular"},    {"PAGER", "Pager"},
    {"BBS", "BBS"},            {"MODEM", "MODEM"},        {"CAR", "Car Phone"},    {"ISDN", "ISDN"},
    {"VIDEO", "Video Phone"},  {"AOL", "AOL"},            {"AppleLink", "AppleLink"}, {"ATTMail", "ATTMail"},
    {"CIS", "CIS"},            {"eWorld", "eWorld"},      {"INTERNET", "Internet"}, {"IBMMail", "IBMMail"},
    {"MCIMail", "MCIMail"},    {"POWERSHARE", "Powershare"}, {"PRODIGY", "PRODIGY"}, {"TLX", "TLX"},
    {"X400", "X.400"},
}};

// Heads are read as bytes: names and parameters are ASCII words, and a card has many lines.
QByteArrayView trimmedBytes(QByteArrayView s)
{
    // Most words have no blanks around them, which their ends show.
    if (!s.isEmpty() && uchar(s.front()) > ' ' && uchar(s.back()) > ' ')
        return s;
    while (!s.isEmpty() && IsBlankByte(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && IsBlankByte(s.back()))
        s.chop(1);
    return s;
}

// Calls each for every piece of s between seps outside double quotes; quotes says whether
// s may hold any (most heads hold none, and are cut at every sep).
template<typename Each>
void forEachOutsideQuotes(QByteArrayView s, char sep, bool quotes, Each each)
{
    if (!quotes) {
        const char *start = s.data();
        const char *const end = start + s.size();
        for (const char *p = start; p < end; ++p) {
            if (*p == sep) {
                each(QByteArrayView(start, p));
                start = p + 1;
            }
        }
        each(QByteArrayView(start, end));
        return;
    }
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '"')
            quoted = !quoted;
        else if (s[i] == sep && !quoted) {
            each(s.sliced(start, i - start));
            start = i + 1;
        }
    }
    each(s.sliced(start));
}

QByteArrayView unquoted(QByteArrayView s)
{
    s = trimmedBytes(s);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        return s.sliced(1, s.size() - 2);
    return s;
}

std::optional<int> rowOfWord(QByteArrayView word)
{
    // Only the rows of a word's length are compared: every type of every line is looked up.
    constexpr qsizetype kLongest = 10;
    static const auto byLength = [] {
        std::array<QVarLengthArray<int, 8>, kLongest + 1> rows;
        for (int row = 0; row < VCardTypes::RowCount; ++row)
            rows[size_t(kTypes[size_t(row)].length)].append(row);
        return rows;
    }();
    if (word.size() > kLongest)
        return std::nullopt;
    for (int row : byLength[size_t(word.size())])
        if (SameAsciiWord(word.data(), kTypes[size_t(row)].word, size_t(word.size())))
            return row;
    return std::nullopt;
}

void addTypeWords(QByteArrayView list, bool quotes, VCardHead &head)
{
    forEachOutsideQuotes(list, ',', quotes, [&head](QByteArrayView word) {
        if (const auto row = rowOfWord(unquoted(word)))
            head.types |= VCardTypes::Bit(VCardTypes::Row(*row));
    });
}

// One parameter: a bare word (2.1) or NAME=value.
void readParameter(QByteArrayView param, bool quotes, VCardHead &head)
{
    const auto *found = static_cast<const char *>(std::memchr(param.data(), '=', size_t(param.size())));
    const qsizetype eq = found ? found - param.data() : -1;
    if (eq < 0) {
        const QByteArrayView word = trimmedBytes(param);
        if (IsAsciiWord(word, "QUOTED-PRINTABLE"))
            head.quotedPrintable = true;
        else if (IsAsciiWord(word, "BASE64"))
            head.base64 = true;
        else
            addTypeWords(word, quotes, head);
        return;
    }
    const QByteArrayView name = trimmedBytes(param.first(eq));
    const QByteArrayView value = unquoted(param.sliced(eq + 1));
    if (IsAsciiWord(name, "TYPE")) {
        addTypeWords(value, quotes, head);
    } else if (IsAsciiWord(name, "PREF")) {
        // The most preferred of several (4.0); later ranks are ordinary ones.
        if (value == "1")
            head.types |= VCardTypes::Bit(VCardTypes::Pref);
    } else if (IsAsciiWord(name, "ENCODING")) {
        head.quotedPrintable = IsAsciiWord(value, "QUOTED-PRINTABLE");
        head.base64 = IsAsciiWord(value, "BASE64") || IsAsciiWord(value, "B");
    } else if (IsAsciiWord(name, "CHARSET")) {
        head.charset = value;
    } else if (IsAsciiWord(name, "VALUE")) {
        head.uriValue = IsAsciiWord(value, "uri");
    }
}

// The names the reader keeps in the order of VCardName.
struct KeptName
{
    const char *word;
    size_t length = std::char_traits<char>::length(word);
};
constexpr KeptName kKeptNames[] = {{"FN"}, {"N"}, {"ADR"}, {"TEL"}, {"EMAIL"}, {"TITLE"}, {"ORG"}, {"URL"}, {"NOTE"},
                                   {"VERSION"}};
static_assert(std::size(kKeptNames) == size_t(VCardName::Other));

} // namespace

// A kept name written as most files write it shares the one text instead of making its own.
QString VCardNameText(QByteArrayView name, VCardName kept)
{
    static const QString kNames[] = {u"FN"_s, u"N"_s, u"ADR"_s, u"TEL"_s, u"EMAIL"_s, u"TITLE"_s, u"ORG"_s,
                                     u"URL"_s, u"NOTE"_s, u"VERSION"_s};
    static_assert(std::size(kNames) == size_t(VCardName::Other));
    if (kept != VCardName::Other) {
        const QString &known = kNames[size_t(kept)];
        if (QLatin1StringView(name) == known)
            return known;
    }
    return QString::fromUtf8(name);
}

namespace {

// The kept name that the n characters at s are, in any case (the bytes of a line or the
// text of a property's name): told by the length and first letter, then compared whole.
template<typename Char>
VCardName nameOf(const Char *s, qsizetype n)
{
    // A capital for a small letter, nothing that can match for a character beyond ASCII.
    const auto capital = [](Char c) {
        return c >= Char('a') && c <= Char('z') ? char(c - 32) : c >= Char(0) && c <= Char(0x7F) ? char(c) : '\0';
    };
    if (n == 0)
        return VCardName::Other;
    const char first = capital(s[0]);
    VCardName candidate = VCardName::Other;
    switch (n) {
    case 1: candidate = VCardName::N; break;
    case 2: candidate = VCardName::FN; break;
    case 3:
        candidate = first == 'A'   ? VCardName::ADR
                    : first == 'T' ? VCardName::TEL
                    : first == 'O' ? VCardName::ORG
                    : first == 'U' ? VCardName::URL
                                   : VCardName::Other;
        break;
    case 4: candidate = VCardName::NOTE; break;
    case 5: candidate = first == 'E' ? VCardName::EMAIL : first == 'T' ? VCardName::TITLE : VCardName::Other; break;
    case 7: candidate = VCardName::VERSION; break;
    default: break;
    }
    if (candidate == VCardName::Other)
        return candidate;
    const char *word = kKeptNames[size_t(candidate)].word;
    for (qsizetype i = 0; i < n; ++i)
        if (capital(s[i]) != word[i])
            return VCardName::Other;
    return candidate;
}

} // namespace

VCardName VCardNameOf(QByteArrayView name) { return nameOf(name.data(), name.size()); }

VCardName VCardNameOf(QStringView name) { return nameOf(name.utf16(), name.size()); }

namespace VCardTypes {

QString Word(int row) { return QLatin1String(kTypes.at(size_t(row)).word); }
QString Text(int row) { return QLatin1String(kTypes.at(size_t(row)).text); }

QString Description(Set types)
{
    QStringList texts;
    for (int row = 0; row < RowCount; ++row)
        if (types & Bit(Row(row)))
            texts << Text(row);
    return texts.join(u',');
}

Set FromDescription(const QString &title)
{
    Set types = 0;
    for (QStringView piece : QStringView(title).split(u',')) {
        piece = piece.trimmed();
        // "Cellular 2": the second of its kind on one card.
        const qsizetype blank = piece.lastIndexOf(u' ');
        if (blank > 0) {
            bool number = false;
            if (piece.mid(blank + 1).toInt(&number) > 0 && number)
                piece = piece.left(blank);
        }
        for (int row = 0; row < RowCount; ++row)
            if (piece.compare(QLatin1String(kTypes[size_t(row)].text), Qt::CaseInsensitive) == 0)
                types |= Bit(Row(row));
    }
    return types;
}

} // namespace VCardTypes

qsizetype VCardHeadEnd(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

VCardHead ParseVCardHead(QByteArrayView head)
{
    VCardHead result;
    bool first = true;
    const bool quotes = std::memchr(head.data(), '"', size_t(head.size())) != nullptr;
    forEachOutsideQuotes(head, ';', quotes, [&](QByteArrayView part) {
        if (!first) {
            readParameter(part, quotes, result);
            return;
        }
        first = false;
        QByteArrayView name = trimmedBytes(part);
        // "item1.TEL": the group only ties lines of other programs together.
        // Names are short: looked at from the end without a call.
        for (qsizetype dot = name.size() - 1; dot >= 0; --dot) {
            if (name[dot] == '.') {
                name = name.sliced(dot + 1);
                break;
            }
        }
        result.kept = VCardNameOf(name);
        result.name = name;
    });
    return result;
}

void TCardProperty::SetLine(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    const qsizetype colon = VCardHeadEnd(bytes);
    if (colon < 0) {
        SetParts(VCardHead{}, line);
        return;
    }
    const QByteArrayView view(bytes);
    SetParts(ParseVCardHead(view.first(colon)), QString::fromUtf8(view.sliced(colon + 1)));
}

void TCardProperty::SetParts(const VCardHead &head, const QString &body)
{
    Name = VCardNameText(head.name, head.kept);
    Types = head.types;
    TextRoom room;
    VCardPieces pieces;
    const QByteArray text = body.toUtf8();
    SplitVCardValue(head.kept, head.uriValue, text, room, pieces);
    Values.clear();
    Values.reserve(pieces.size());
    for (QByteArrayView piece : pieces)
        Values << VCardText(piece);
}

QString TCardProperty::GetLine() const
{
    QString name = Name;
    if (Types) {
        QStringList words;
        for (int row = 0; row < VCardTypes::RowCount; ++row)
            if (Types & VCardTypes::Bit(VCardTypes::Row(row)))
                words << VCardTypes::Word(row);
        name += QLatin1String(";TYPE=") + words.join(u',');
    }
    return VCardLine(name, Values);
}
