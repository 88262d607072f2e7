#include "vcardrecords.h"

#include "vcardfile.h"

#include "store/addressobject.h"
#include "store/fieldcodec.h"
#include "store/kindtable.h"
#include "store/orgobject.h"
#include "store/personname.h"
#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/ranmar.h"
#include "store/zebobject.h"

#include <QVarLengthArray>

#include <algorithm>

#include <cstring>

namespace {

using VCardTypes::Bit;

// A title on one line: a name is shown in a tree.
QString oneLine(QString s)
{
    s.replace(u'\n', u' ');
    // Most are trimmed already: kept as they are.
    if (s.isEmpty() || (!s.at(0).isSpace() && !s.at(s.size() - 1).isSpace()))
        return s;
    return s.trimmed();
}

// Whether text is empty or only blanks, without making the trimmed text.
bool isBlankText(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

QString firstValue(const TCard &card, QStringView name)
{
    const TCardProperty *p = card.FindProperty(name);
    return p ? oneLine(p->First()) : QString();
}

// The street lines of an address component list. Cards of this program's older files
// (no VERSION) hold three street lines in the first three components; every other card
// holds a post-office box, an extended address and the street, which may have line breaks.
QStringList streetLines(const QStringList &values, bool olderFile)
{
    if (olderFile)
        return values.mid(0, 3);
    QStringList lines;
    lines.reserve(3);
    for (const QString &part : {values.value(0), values.value(1)})
        if (!isBlankText(part))
            lines << part;
    // Most streets are one line: kept as they are, without a split's copies.
    if (const QString street = values.value(2); street.contains(u'\n'))
        lines << street.split(u'\n');
    else
        lines << street;
    while (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() > 3)
        lines = QStringList{lines.at(0), lines.at(1), lines.mid(2).join(QLatin1String(", "))};
    return lines;
}

// The description of a set of types, of which a file has a few over and over.
const QString &typesTitle(VCardTypes::Set types)
{
    struct Known
    {
        VCardTypes::Set types;
        QString title;
    };
    thread_local std::vector<Known> known;
    for (const Known &k : known)
        if (k.types == types)
            return k.title;
    if (known.size() >= 64)
        known.clear();
    known.push_back({types, VCardTypes::Description(types)});
    return known.back().title;
}

// The tag of a card's item or child, made once for all cards.
const QString &tagOf(ItemKind kind)
{
    static const QString kTags[] = {KindTag(ItemKind::Person), KindTag(ItemKind::Organization),
                                    KindTag(ItemKind::Address), KindTag(ItemKind::Phone), KindTag(ItemKind::Fax),
                                    KindTag(ItemKind::EMail), KindTag(ItemKind::Website)};
    switch (kind) {
    case ItemKind::Person: return kTags[0];
    case ItemKind::Organization: return kTags[1];
    case ItemKind::Address: return kTags[2];
    case ItemKind::Phone: return kTags[3];
    case ItemKind::Fax: return kTags[4];
    case ItemKind::EMail: return kTags[5];
    case ItemKind::Website: return kTags[6];
    default: break;
    }
    thread_local QString other;
    other = KindTag(kind);
    return other;
}

// The children of one card as records, with the titles they were given and the primary
// title of each kind.
class ChildRecords
{
public:
    ChildRecords(CardRecords &out, int level, bool olderFile) : m_out(out), m_level(level), m_olderFile(olderFile) {}

    void Add(ItemKind kind, const TCardProperty &property)
    {
        const QString title = uniqueTitle(kind, property.Types);
        QStringList fields;
        QString value = oneLine(property.First());
        if (kind == ItemKind::Address) {
            const QStringList &v = property.Values;
            const QStringList lines = streetLines(v, m_olderFile);
            value = lines.value(0);
            fields = TAddressObject::RecordFields(lines, v.value(3), v.value(4), v.value(5), v.value(6));
        } else if (kind == ItemKind::Phone) {
            fields = TPhoneObject::RecordFields(QString());
        }
        m_out.Add(m_level, kind, title, value, QStringView(), fields);
        // The last marked preferred is primary; without one, the first (cards of phones
        // seldom mark any, and a contact's CSV columns and pages show primary ones only).
        const quint32 bit = 1u << KindCode(kind);
        QString &primary = *m_primaries.Of(kind);
        if (property.Has(VCardTypes::Pref)) {
            primary = title;
            m_preferred |= bit;
        } else if (!(m_preferred & bit) && primary.isEmpty()) {
            primary = title;
        }
    }
    const TPrimaryTitles &Primaries() const { return m_primaries; }

private:
    // The types without PREF (which only ever says primary), else a word for the kind;
    // " 2", " 3"... when the card has a child of that kind and title already.
    QString uniqueTitle(ItemKind kind, VCardTypes::Set types)
    {
        QString base = kind == ItemKind::Website ? QString() : typesTitle(types & ~Bit(VCardTypes::Pref));
        if (base.isEmpty()) {
            switch (kind) {
            case ItemKind::Address: base = QStringLiteral("Address"); break;
            case ItemKind::Phone: base = QStringLiteral("Phone"); break;
            case ItemKind::Fax: base = QStringLiteral("Fax"); break;
            case ItemKind::EMail: base = QStringLiteral("E-Mail"); break;
            default: base = QStringLiteral("Web URL"); break;
            }
        }
        QString title = base;
        for (int n = 2; m_used.contains({kind, title}); ++n)
            title = QStringLiteral("%1 %2").arg(base).arg(n);
        m_used.append({kind, title});
        return title;
    }

    CardRecords &m_out;
    int m_level;
    bool m_olderFile;
    TPrimaryTitles m_primaries;
    quint32 m_preferred = 0;
    QVarLengthArray<std::pair<ItemKind, QString>, 8> m_used;
};

bool isChildProperty(const TCardProperty &p)
{
    const VCardName name = VCardNameOf(p.Name);
    return name == VCardName::ADR || name == VCardName::EMAIL || name == VCardName::TEL || name == VCardName::URL;
}

void mapChildren(const TCard &card, CardItem &item, int childLevel, TPrimaryTitles &primaries)
{
    ChildRecords children(item.children, childLevel, card.Version.isEmpty());
    QVarLengthArray<VCardName, 16> names(card.Count());
    for (int i = 0; i < card.Count(); ++i)
        names[i] = VCardNameOf(card.Items(i).Name);
    // The kinds of children in the order they are made; within a kind, the card's order.
    for (VCardName name : {VCardName::ADR, VCardName::EMAIL, VCardName::TEL, VCardName::URL}) {
        for (int i = 0; i < card.Count(); ++i) {
            if (names[i] != name)
                continue;
            const TCardProperty &p = card.Items(i);
            ItemKind kind = ItemKind::Website;
            if (name == VCardName::ADR)
                kind = ItemKind::Address;
            else if (name == VCardName::EMAIL)
                kind = ItemKind::EMail;
            else if (name == VCardName::TEL)
                kind = p.Has(VCardTypes::Fax) ? ItemKind::Fax : ItemKind::Phone;
            children.Add(kind, p);
        }
    }
    primaries = children.Primaries();
}

// MapVCard without using up the card.
void mapCard(const TCard &card, VCardImportAs as, int childLevel, CardItem &item)
{
    item.kind = ItemKind::Person;
    item.title.clear();
    item.value.clear();
    item.comment.clear();
    item.fields.clear();
    item.children.Clear();
    if (const TCardProperty *note = card.FindProperty(u"NOTE"))
        item.comment = note->First();
    TPrimaryTitles primaries;
    if (as == VCardImportAs::Organization) {
        item.kind = ItemKind::Organization;
        item.title = firstValue(card, u"ORG");
        if (item.title.isEmpty())
            item.title = firstValue(card, u"FN");
        if (item.title.isEmpty())
            item.title = DefaultTitle(ItemKind::Organization);
        mapChildren(card, item, childLevel, primaries);
        item.fields = TOrgObject::PrimaryFields(primaries);
        return;
    }

    item.kind = ItemKind::Person;
    TPersonNames names;
    // TITLE is a job title; only this program's older files put the item's title there.
    QString title = card.Version.isEmpty() ? firstValue(card, u"TITLE") : QString();
    if (title.isEmpty())
        title = firstValue(card, u"FN");
    if (const TCardProperty *n = card.FindProperty(u"N")) {
        names = TPersonNames{oneLine(n->Values.value(3)), oneLine(n->Values.value(1)), oneLine(n->Values.value(2)),
                             oneLine(n->Values.value(0))};
    } else {
        // A card with only the formatted name: its words give the names, as the person
        // dialog takes them from a title.
        SplitTitle(title, names);
    }
    if (title.isEmpty())
        title = oneLine(names.FirstName + u' ' + names.LastName);
    if (title.isEmpty())
        title = firstValue(card, u"ORG");
    if (title.isEmpty())
        title = DefaultTitle(ItemKind::Person);
    item.title = title;
    const QString fullName = ComposeFullName(names.Salutation, names.FirstName, names.LastName);
    item.value = isBlankText(fullName) ? title : fullName;
    mapChildren(card, item, childLevel, primaries);
    item.fields = TPersonObject::RecordFields(names, primaries);
}

} // namespace

void MapVCard(TCard &card, VCardImportAs as, int childLevel, CardItem &item)
{
    mapCard(card, as, childLevel, item);
    card.RemoveIf(isChildProperty);
}

void AppendCardRecords(CardRecords &out, TCard &card, VCardImportAs as, int level)
{
    // One item for the cards of a thread: its children's records keep their room. The
    // card is dropped after: its children's lines are not taken out of it.
    thread_local CardItem item;
    mapCard(card, as, level + 1, item);
    out.Add(level, item.kind, item.title, item.value, item.comment, item.fields);
    out.Add(item.children);
    out.EndCard(true);
}

void CardRecords::Add(int level, ItemKind kind, QStringView title, QStringView value, QStringView comment,
                      const QStringList &fields)
{
    AppendRecordHeader(m_bytes, level, kind, title, value, comment);
    m_gaps.push_back(m_bytes.size());
    AppendBytes(m_bytes, "           \r\n");
    static_assert(sizeof("           ") - 1 == kIdRoom);
    AppendDataLine(m_bytes, tagOf(kind), fields, 0);
    AppendBytes(m_bytes, "\r\n");
}

void CardRecords::Add(const CardRecords &other)
{
    const qsizetype shift = m_bytes.size();
    m_bytes += other.m_bytes;
    for (qsizetype gap : other.m_gaps)
        m_gaps.push_back(gap + shift);
}

void CardRecords::Reserve(qsizetype bytes)
{
    m_bytes.reserve(bytes);
    // A record is some 40 bytes or more.
    m_gaps.reserve(size_t(bytes / 40));
}

void CardRecords::Clear()
{
    m_bytes.resize(0);
    m_gaps.clear();
    m_cards.clear();
}

void CardRecords::EndCard(bool ownFirst) { m_cards.push_back({m_bytes.size(), m_gaps.size(), ownFirst}); }

void CardRecords::AppendWithIds(QByteArray &out, size_t from, size_t to) const
{
    to = std::min(to, m_cards.size());
    if (from >= to)
        return;
    const qsizetype at = out.size();
    out.resize(at + m_cards[to - 1].end - (from == 0 ? 0 : m_cards[from - 1].end));
    const char *end = writeWithIds(out.data() + at, from, to);
    out.resize(end - out.constData());
}

QByteArray CardRecords::TakeWithIds()
{
    const char *end = writeWithIds(m_bytes.data(), 0, m_cards.size());
    m_bytes.resize(end - m_bytes.constData());
    // The records stay as long as the items read from them: the room left is given back.
    m_bytes.squeeze();
    QByteArray bytes = std::move(m_bytes);
    Clear();
    return bytes;
}

char *CardRecords::writeWithIds(char *to, size_t from, size_t end) const
{
    const char *const data = m_bytes.constData();
    qsizetype at = from == 0 ? 0 : m_cards[from - 1].end;
    size_t gap = from == 0 ? 0 : m_cards[from - 1].gapsEnd;
    const auto move = [&to, data](qsizetype begin, qsizetype stop) {
        std::memmove(to, data + begin, size_t(stop - begin));
        to += stop - begin;
    };
    QVarLengthArray<qint32, 16> ids;
    for (size_t c = from; c < end; ++c) {
        const Card &card = m_cards[c];
        const size_t count = card.gapsEnd - gap;
        ids.resize(qsizetype(count));
        // As a card was always numbered: its children first, then its own item.
        const size_t own = card.ownFirst && count > 0 ? 1 : 0;
        for (size_t i = own; i < count; ++i)
            ids[qsizetype(i)] = ItemIds::Next();
        if (own)
            ids[0] = ItemIds::Next();
        for (size_t i = 0; i < count; ++i, ++gap) {
            move(at, m_gaps[gap]);
            char digits[kIdRoom];
            const char *first = WriteNumberBefore(digits + kIdRoom, ids[qsizetype(i)]);
            std::memcpy(to, first, size_t(digits + kIdRoom - first));
            to += digits + kIdRoom - first;
            at = m_gaps[gap] + kIdRoom;
        }
        move(at, card.end);
        at = card.end;
    }
    return to;
}

QString CardDisplayName(const TCard &card)
{
    if (const TCardProperty *n = card.FindProperty(u"N")) {
        QStringList parts;
        for (int i : {3, 1, 2, 0})
            if (const QString part = oneLine(n->Values.value(i)); !part.isEmpty())
                parts << part;
        if (!parts.isEmpty())
            return parts.join(u' ');
    }
    if (const QString fn = firstValue(card, u"FN"); !fn.isEmpty())
        return fn;
    return QStringLiteral("New");
}

QString CardOrganization(const TCard &card) { return firstValue(card, u"ORG"); }
