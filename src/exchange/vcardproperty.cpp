#include "vcardproperty.h"

#include "store/vcardline.h"

#include <algorithm>
#include <array>

namespace {

struct TypeRow
{
    const char *word;
    const char *text;
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

// Splits at sep outside double quotes.
QList<QStringView> splitOutsideQuotes(QStringView s, QChar sep)
{
    QList<QStringView> parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'"')
            quoted = !quoted;
        else if (s[i] == sep && !quoted) {
            parts << s.mid(start, i - start);
            start = i + 1;
        }
    }
    parts << s.mid(start);
    return parts;
}

QStringView unquoted(QStringView s)
{
    s = s.trimmed();
    if (s.size() >= 2 && s.front() == u'"' && s.back() == u'"')
        return s.mid(1, s.size() - 2);
    return s;
}

void addTypeWords(QStringView list, VCardHead &head)
{
    for (QStringView word : splitOutsideQuotes(list, u','))
        if (const auto row = VCardTypes::RowOfWord(unquoted(word)))
            head.types |= VCardTypes::Bit(VCardTypes::Row(*row));
}

// One parameter: a bare word (2.1) or NAME=value.
void readParameter(QStringView param, VCardHead &head)
{
    const qsizetype eq = param.indexOf(u'=');
    if (eq < 0) {
        const QStringView word = param.trimmed();
        if (word.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0)
            head.quotedPrintable = true;
        else if (word.compare(u"BASE64", Qt::CaseInsensitive) == 0)
            head.base64 = true;
        else
            addTypeWords(word, head);
        return;
    }
    const QStringView name = param.left(eq).trimmed();
    const QStringView value = unquoted(param.mid(eq + 1));
    if (name.compare(u"TYPE", Qt::CaseInsensitive) == 0) {
        addTypeWords(value, head);
    } else if (name.compare(u"PREF", Qt::CaseInsensitive) == 0) {
        // The most preferred of several (4.0); later ranks are ordinary ones.
        if (value == u"1")
            head.types |= VCardTypes::Bit(VCardTypes::Pref);
    } else if (name.compare(u"ENCODING", Qt::CaseInsensitive) == 0) {
        head.quotedPrintable = value.compare(u"QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0;
        head.base64 = value.compare(u"BASE64", Qt::CaseInsensitive) == 0 || value.compare(u"B", Qt::CaseInsensitive) == 0;
    } else if (name.compare(u"CHARSET", Qt::CaseInsensitive) == 0) {
        head.charset = value.toString();
    } else if (name.compare(u"VALUE", Qt::CaseInsensitive) == 0) {
        head.uriValue = value.compare(u"uri", Qt::CaseInsensitive) == 0;
    }
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

void stripScheme(QString &value, QLatin1StringView scheme)
{
    if (value.startsWith(scheme, Qt::CaseInsensitive))
        value.remove(0, scheme.size());
}

} // namespace

namespace VCardTypes {

QString Word(int row) { return QLatin1String(kTypes.at(size_t(row)).word); }
QString Text(int row) { return QLatin1String(kTypes.at(size_t(row)).text); }

std::optional<int> RowOfWord(QStringView word)
{
    for (int row = 0; row < RowCount; ++row)
        if (word.compare(QLatin1String(kTypes[size_t(row)].word), Qt::CaseInsensitive) == 0)
            return row;
    return std::nullopt;
}

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

qsizetype VCardHeadEnd(QStringView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            return i;
    }
    return -1;
}

VCardHead ParseVCardHead(QStringView head)
{
    VCardHead result;
    const QList<QStringView> parts = splitOutsideQuotes(head, u';');
    QStringView name = parts.front().trimmed();
    // "item1.TEL": the group only ties lines of other programs together.
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0)
        name = name.mid(dot + 1);
    result.name = name.toString();
    for (qsizetype i = 1; i < parts.size(); ++i)
        readParameter(parts.at(i), result);
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

bool IsComponentProperty(QStringView name)
{
    return name.compare(u"N", Qt::CaseInsensitive) == 0 || name.compare(u"ADR", Qt::CaseInsensitive) == 0 ||
           name.compare(u"ORG", Qt::CaseInsensitive) == 0;
}

void TCardProperty::SetLine(const QString &line)
{
    const qsizetype colon = VCardHeadEnd(line);
    if (colon < 0) {
        SetParts(VCardHead{}, line);
        return;
    }
    SetParts(ParseVCardHead(QStringView(line).left(colon)), QStringView(line).mid(colon + 1));
}

void TCardProperty::SetParts(const VCardHead &head, QStringView body)
{
    Name = head.name;
    Types = head.types;
    Values.clear();
    while (!body.isEmpty() && isBlank(body.front()))
        body = body.mid(1);
    if (!IsComponentProperty(Name)) {
        Values << withoutControls(UnescapeVCardText(body));
    } else {
        // Components end at a ";" that no backslash escapes; commas are text.
        qsizetype start = 0;
        for (qsizetype i = 0; i <= body.size(); ++i) {
            if (i + 1 < body.size() && body[i] == u'\\') {
                ++i;
                continue;
            }
            if (i == body.size() || body[i] == u';') {
                Values << withoutControls(UnescapeVCardText(body.mid(start, i - start)));
                start = i + 1;
            }
        }
    }
    if (head.uriValue || Name.compare(u"TEL", Qt::CaseInsensitive) == 0)
        stripScheme(Values.first(), QLatin1StringView("tel:"));
    if (Name.compare(u"EMAIL", Qt::CaseInsensitive) == 0)
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
