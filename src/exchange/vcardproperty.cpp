#include "vcardproperty.h"

#include "store/vcardline.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
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

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

// Heads are read as bytes: names and parameters are ASCII words, and a card has many lines.
bool isBlankByte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

QByteArrayView trimmedBytes(QByteArrayView s)
{
    while (!s.isEmpty() && isBlankByte(s.front()))
        s = s.sliced(1);
    while (!s.isEmpty() && isBlankByte(s.back()))
        s.chop(1);
    return s;
}

bool sameWord(QByteArrayView s, const char *word, size_t n)
{
    return size_t(s.size()) == n && SameAsciiWord(s.data(), word, n);
}

template<size_t N>
bool sameWord(QByteArrayView s, const char (&word)[N])
{
    return sameWord(s, word, N - 1);
}

// Calls each for every piece of s between seps outside double quotes.
template<typename Each>
void forEachOutsideQuotes(QByteArrayView s, char sep, Each each)
{
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
    for (int row = 0; row < VCardTypes::RowCount; ++row)
        if (sameWord(word, kTypes[size_t(row)].word, size_t(kTypes[size_t(row)].length)))
            return row;
    return std::nullopt;
}

void addTypeWords(QByteArrayView list, VCardHead &head)
{
    forEachOutsideQuotes(list, ',', [&head](QByteArrayView word) {
        if (const auto row = rowOfWord(unquoted(word)))
            head.types |= VCardTypes::Bit(VCardTypes::Row(*row));
    });
}

// One parameter: a bare word (2.1) or NAME=value.
void readParameter(QByteArrayView param, VCardHead &head)
{
    const auto *found = static_cast<const char *>(std::memchr(param.data(), '=', size_t(param.size())));
    const qsizetype eq = found ? found - param.data() : -1;
    if (eq < 0) {
        const QByteArrayView word = trimmedBytes(param);
        if (sameWord(word, "QUOTED-PRINTABLE"))
            head.quotedPrintable = true;
        else if (sameWord(word, "BASE64"))
            head.base64 = true;
        else
            addTypeWords(word, head);
        return;
    }
    const QByteArrayView name = trimmedBytes(param.first(eq));
    const QByteArrayView value = unquoted(param.sliced(eq + 1));
    if (sameWord(name, "TYPE")) {
        addTypeWords(value, head);
    } else if (sameWord(name, "PREF")) {
        // The most preferred of several (4.0); later ranks are ordinary ones.
        if (value == "1")
            head.types |= VCardTypes::Bit(VCardTypes::Pref);
    } else if (sameWord(name, "ENCODING")) {
        head.quotedPrintable = sameWord(value, "QUOTED-PRINTABLE");
        head.base64 = sameWord(value, "BASE64") || sameWord(value, "B");
    } else if (sameWord(name, "CHARSET")) {
        head.charset = QString::fromUtf8(value);
    } else if (sameWord(name, "VALUE")) {
        head.uriValue = sameWord(value, "uri");
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

// A kept name written as most files write it shares the one text instead of making its own.
QString nameText(QByteArrayView name, VCardName kept)
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

// Control characters other than line breaks would reach titles and the record file;
// line breaks of any kind (a quoted-printable CR LF) become LF.
QString withoutControls(const QString &s)
{
    if (std::none_of(s.begin(), s.end(), [](QChar c) { return c.unicode() < 0x20 && c != u'\n'; }))
        return s;
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == u'\r') {
            if (i + 1 < s.size() && s.at(i + 1) == u'\n')
                continue;
            out += u'\n';
        } else {
            out += c.unicode() < 0x20 && c != u'\n' ? QChar(u' ') : c;
        }
    }
    return out;
}

bool isComponent(VCardName name) { return name == VCardName::N || name == VCardName::ADR || name == VCardName::ORG; }

// Whether text holds a backslash, and whether it holds a control character other than LF.
void lookAt(QStringView text, bool &backslash, bool &controls)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    // Eight characters at a time: every value of every card is looked at.
    const __m128i slash = _mm_set1_epi16(short(u'\\'));
    const __m128i lf = _mm_set1_epi16(short(u'\n'));
    const __m128i notControl = _mm_set1_epi16(short(0xFFE0));
    const __m128i zero = _mm_setzero_si128();
    __m128i slashes = zero;
    __m128i marks = zero;
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        slashes = _mm_or_si128(slashes, _mm_cmpeq_epi16(v, slash));
        // Below 0x20 (no bit above the low five) and not LF.
        const __m128i control = _mm_cmpeq_epi16(_mm_and_si128(v, notControl), zero);
        marks = _mm_or_si128(marks, _mm_andnot_si128(_mm_cmpeq_epi16(v, lf), control));
    }
    backslash = _mm_movemask_epi8(slashes) != 0;
    controls = _mm_movemask_epi8(marks) != 0;
#endif
    for (; i < n; ++i) {
        backslash |= p[i] == u'\\';
        controls |= p[i] < 0x20 && p[i] != u'\n';
    }
}

void stripScheme(QString &value, QLatin1StringView scheme)
{
    // Most values start otherwise, which the first letter shows without a full comparison.
    if (value.size() < scheme.size() || (value.at(0).unicode() | 0x20) != scheme.front())
        return;
    if (value.startsWith(scheme, Qt::CaseInsensitive))
        value.remove(0, scheme.size());
}

} // namespace

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
    forEachOutsideQuotes(head, ';', [&](QByteArrayView part) {
        if (!first) {
            readParameter(part, result);
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
        result.name = nameText(name, result.kept);
    });
    return result;
}

QString UnescapeVCardText(QStringView value)
{
    if (!value.contains(u'\\'))
        return value.toString();
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[i + 1];
        if (next == u'n' || next == u'N') {
            out += u'\n';
            ++i;
        } else if (next == u'\\' || next == u';' || next == u',' || next == u':') {
            out += next;
            ++i;
        } else {
            // Not an escape: a path or a stray backslash keeps it.
            out += c;
        }
    }
    return out;
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
    Name = head.name;
    Types = head.types;
    Values.clear();
    QStringView rest = body;
    while (!rest.isEmpty() && isBlank(rest.front()))
        rest = rest.sliced(1);
    // One look at the value says whether any piece of it has escapes or control characters.
    bool escaped = false;
    bool controls = false;
    lookAt(rest, escaped, controls);
    const auto piece = [escaped, controls](QStringView text) {
        const QString unescaped = escaped ? UnescapeVCardText(text) : text.toString();
        return controls ? withoutControls(unescaped) : unescaped;
    };
    if (!isComponent(head.kept)) {
        // Most values need nothing done: they are kept as decoded, without a copy.
        // One value: a list of exactly one, made without growing.
        if (rest.size() == body.size() && !escaped)
            Values = QStringList(1, controls ? withoutControls(body) : body);
        else
            Values = QStringList(1, piece(rest));
    } else {
        // Components end at a ";" that no backslash escapes; commas are text.
        Values.reserve(7);
        qsizetype start = 0;
        for (qsizetype i = 0; i <= rest.size(); ++i) {
            if (i + 1 < rest.size() && rest[i] == u'\\') {
                ++i;
                continue;
            }
            if (i == rest.size() || rest[i] == u';') {
                Values << piece(rest.sliced(start, i - start));
                start = i + 1;
            }
        }
    }
    if (head.uriValue || head.kept == VCardName::TEL)
        stripScheme(Values.first(), QLatin1StringView("tel:"));
    if (head.kept == VCardName::EMAIL)
        stripScheme(Values.first(), QLatin1StringView("mailto:"));
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
