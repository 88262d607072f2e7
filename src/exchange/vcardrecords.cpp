#include "vcardrecords.h"

#include "vcardfile.h"
#include "vcardvalues.h"

#include "store/fieldcodec.h"
#include "store/kindtable.h"
#include "store/personname.h"
#include "store/ranmar.h"
#include "store/zebobject.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>

#include <cstring>

namespace {

using VCardTypes::Bit;
using Text = QByteArrayView; // UTF-8

// A title on one line: a name is shown in a tree.
QString oneLine(QString s)
{
    s.replace(u'\n', u' ');
    // Most are trimmed already: kept as they are.
    if (s.isEmpty() || (!s.at(0).isSpace() && !s.at(s.size() - 1).isSpace()))
        return s;
    return s.trimmed();
}

// The same for UTF-8: most texts are one line without blanks at either end, which their
// edges show; any other is made as the text would be.
Text oneLine(Text s, TextRoom &room)
{
    if (s.isEmpty())
        return s;
    const char a = s.front();
    const char z = s.back();
    if (uchar(a) < 0x80 && uchar(z) < 0x80 && !IsBlankByte(a) && !IsBlankByte(z) &&
        !std::memchr(s.data(), '\n', size_t(s.size())))
        return s;
    return room.Copy(QStringView(oneLine(VCardText(s))));
}

// Whether text is empty or only blanks, without making the trimmed text.
bool isBlankText(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

bool isBlankText(Text text)
{
    for (char c : text) {
        if (uchar(c) >= 0x80)
            return isBlankText(VCardText(text));
        if (!IsBlankByte(c))
            return false;
    }
    return true;
}

QString firstValue(const TCard &card, QStringView name)
{
    const TCardProperty *p = card.FindProperty(name);
    return p ? oneLine(p->First()) : QString();
}

// A text made of pieces in the room.
Text joined(TextRoom &room, std::span<const Text> pieces, Text between)
{
    if (pieces.empty())
        return {};
    qsizetype size = between.size() * qsizetype(pieces.size() - 1);
    for (Text piece : pieces)
        size += piece.size();
    char *const out = room.Take(size);
    char *to = out;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            std::memcpy(to, between.data(), size_t(between.size()));
            to += between.size();
        }
        if (!pieces[i].isEmpty())
            std::memcpy(to, pieces[i].data(), size_t(pieces[i].size()));
        to += pieces[i].size();
    }
    return Text(out, size);
}

using Lines = QVarLengthArray<Text, 4>;

// The street lines of an address's components. Cards of this program's older files
// (no VERSION) hold three street lines in the first three components; every other card
// holds a post-office box, an extended address and the street, which may have line breaks.
Lines streetLines(const CardValues &card, const CardValues::Property &p, bool olderFile, TextRoom &room)
{
    Lines lines;
    if (olderFile) {
        for (qsizetype i = 0; i < std::min<qsizetype>(p.count, 3); ++i)
            lines << card.Piece(p, i);
        return lines;
    }
    for (qsizetype i : {0, 1})
        if (const Text part = card.Piece(p, i); !isBlankText(part))
            lines << part;
    Text street = card.Piece(p, 2);
    for (;;) {
        const auto *lf = static_cast<const char *>(std::memchr(street.data(), '\n', size_t(street.size())));
        if (!lf)
            break;
        lines << street.first(lf - street.data());
        street = street.sliced(lf - street.data() + 1);
    }
    lines << street;
    while (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() > 3) {
        // The street's further lines in one, after a ", " each.
        lines[2] = joined(room, std::span<const Text>(lines).subspan(2), ", ");
        lines.resize(3);
    }
    return lines;
}

// The description of a set of types, of which a file has a few over and over. The
// texts stay while a card is mapped (forgetTypesTitles between cards).
struct TypesTitle
{
    VCardTypes::Set types;
    QByteArray title;
};
thread_local std::vector<TypesTitle> typesTitles;

Text typesTitle(VCardTypes::Set types)
{
    for (const TypesTitle &k : typesTitles)
        if (k.types == types)
            return k.title;
    typesTitles.push_back({types, VCardTypes::Description(types).toUtf8()});
    return typesTitles.back().title;
}

void forgetTypesTitles()
{
    if (typesTitles.size() >= 64)
        typesTitles.clear();
}

// The tag of a kind and the title of one without any, made once for all cards.
struct KindTexts
{
    QByteArray tag;
    QByteArray defaultTitle;
};
const KindTexts &textsOf(ItemKind kind)
{
    constexpr size_t kKinds = size_t(ItemKind::Tool) + 1;
    static const std::array<KindTexts, kKinds> kTexts = [] {
        std::array<KindTexts, kKinds> texts;
        for (size_t i = 0; i < texts.size(); ++i)
            texts[i] = {KindTag(ItemKind(i)).toUtf8(), DefaultTitle(ItemKind(i)).toUtf8()};
        return texts;
    }();
    return kTexts.at(size_t(kind));
}

// "{level kind }" of a record: a card's few are made once for each thread.
QByteArrayView prefixOf(int level, ItemKind kind)
{
    struct Made
    {
        int level = -1;
        ItemKind kind = ItemKind::Folder;
        char bytes[32];
        qsizetype size = 0;
    };
    thread_local std::array<Made, 8> made;
    Made &slot = made[size_t(level * 5 + KindCode(kind)) % made.size()];
    if (slot.level != level || slot.kind != kind) {
        const QByteArrayView prefix = RecordPrefix(level, kind).View();
        slot.size = std::min<qsizetype>(prefix.size(), sizeof slot.bytes);
        std::memcpy(slot.bytes, prefix.data(), size_t(slot.size));
        slot.level = level;
        slot.kind = kind;
    }
    return QByteArrayView(slot.bytes, slot.size);
}

// What a card makes, as UTF-8: views into the card or into room.
struct MappedCard
{
    ItemKind kind = ItemKind::Person;
    Text title;
    Text value;
    Text comment;
    QVarLengthArray<Text, 9> fields; // of its data line, without the categories
    CardRecords children;            // not ended as a card
    TextRoom room;
};

// The primary title of each kind of child, in the order of the data line.
struct Primaries
{
    Text address, phone, fax, email, website;
    Text *Of(ItemKind kind)
    {
        switch (kind) {
        case ItemKind::Address: return &address;
        case ItemKind::Phone: return &phone;
        case ItemKind::Fax: return &fax;
        case ItemKind::EMail: return &email;
        default: return &website;
        }
    }
};

// The children of one card as records, with the titles they were given and the primary
// title of each kind.
class ChildRecords
{
public:
    ChildRecords(const CardValues &card, MappedCard &item, int level)
        : m_card(card), m_item(item), m_level(level), m_olderFile(card.Version().isEmpty())
    {
    }

    void Add(ItemKind kind, const CardValues::Property &property)
    {
        const Text title = uniqueTitle(kind, property.types);
        if (kind == ItemKind::Address) {
            const Lines lines = streetLines(m_card, property, m_olderFile, m_item.room);
            const Text fields[] = {lines.value(0), lines.value(1), lines.value(2), m_card.Piece(property, 3),
                                   m_card.Piece(property, 4), m_card.Piece(property, 5), m_card.Piece(property, 6)};
            m_item.children.Add(m_level, kind, title, lines.value(0), {}, fields);
        } else {
            const Text value = oneLine(m_card.Piece(property, 0), m_item.room);
            // A phone's one field, its extension, is empty.
            static const Text kExtension[] = {Text()};
            m_item.children.Add(m_level, kind, title, value, {},
                                kind == ItemKind::Phone ? std::span<const Text>(kExtension) : std::span<const Text>());
        }
        // The last marked preferred is primary; without one, the first (cards of phones
        // seldom mark any, and a contact's CSV columns and pages show primary ones only).
        const quint32 bit = 1u << KindCode(kind);
        Text &primary = *m_primaries.Of(kind);
        if (property.Has(VCardTypes::Pref)) {
            primary = title;
            m_preferred |= bit;
        } else if (!(m_preferred & bit) && primary.isEmpty()) {
            primary = title;
        }
    }
    const Primaries &Titles() const { return m_primaries; }

private:
    // The types without PREF (which only ever says primary), else a word for the kind;
    // " 2", " 3"... when the card has a child of that kind and title already.
    Text uniqueTitle(ItemKind kind, VCardTypes::Set types)
    {
        Text base = kind == ItemKind::Website ? Text() : typesTitle(types & ~Bit(VCardTypes::Pref));
        if (base.isEmpty()) {
            switch (kind) {
            case ItemKind::Address: base = "Address"; break;
            case ItemKind::Phone: base = "Phone"; break;
            case ItemKind::Fax: base = "Fax"; break;
            case ItemKind::EMail: base = "E-Mail"; break;
            default: base = "Web URL"; break;
            }
        }
        Text title = base;
        for (int n = 2; used(kind, title); ++n) {
            char digits[12];
            char *const end = digits + sizeof digits;
            const char *first = WriteNumberBefore(end, n);
            const Text pieces[] = {base, Text(first, end - first)};
            title = joined(m_item.room, pieces, " ");
        }
        m_used.append({kind, title});
        return title;
    }
    bool used(ItemKind kind, Text title) const
    {
        return std::any_of(m_used.begin(), m_used.end(),
                           [&](const std::pair<ItemKind, Text> &u) { return u.first == kind && u.second == title; });
    }

    const CardValues &m_card;
    MappedCard &m_item;
    int m_level;
    bool m_olderFile;
    Primaries m_primaries;
    quint32 m_preferred = 0;
    QVarLengthArray<std::pair<ItemKind, Text>, 8> m_used;
};

bool isChildProperty(const TCardProperty &p)
{
    const VCardName name = VCardNameOf(p.Name);
    return name == VCardName::ADR || name == VCardName::EMAIL || name == VCardName::TEL || name == VCardName::URL;
}

Primaries mapChildren(const CardValues &card, MappedCard &item, int childLevel)
{
    ChildRecords children(card, item, childLevel);
    // The kinds of children in the order they are made; within a kind, the card's order.
    for (VCardName name : {VCardName::ADR, VCardName::EMAIL, VCardName::TEL, VCardName::URL}) {
        for (const CardValues::Property &p : card.Properties()) {
            if (p.name != name)
                continue;
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
    return children.Titles();
}

Text firstValue(const CardValues &card, VCardName name, TextRoom &room)
{
    const CardValues::Property *p = card.Find(name);
    return p ? oneLine(card.Piece(*p, 0), room) : Text();
}

void mapCard(const CardValues &card, VCardImportAs as, int childLevel, MappedCard &item)
{
    forgetTypesTitles();
    item.room.Clear();
    item.fields.clear();
    item.children.Clear();
    item.value = {};
    const CardValues::Property *note = card.Find(VCardName::NOTE);
    item.comment = note ? card.Piece(*note, 0) : Text();
    if (as == VCardImportAs::Organization) {
        item.kind = ItemKind::Organization;
        item.title = firstValue(card, VCardName::ORG, item.room);
        if (item.title.isEmpty())
            item.title = firstValue(card, VCardName::FN, item.room);
        if (item.title.isEmpty())
            item.title = textsOf(ItemKind::Organization).defaultTitle;
        const Primaries primaries = mapChildren(card, item, childLevel);
        item.fields = {primaries.address, primaries.phone, primaries.fax, primaries.email, primaries.website};
        return;
    }

    item.kind = ItemKind::Person;
    // Salutation, first, middle and last name.
    Text names[4];
    // TITLE is a job title; only this program's older files put the item's title there.
    Text title = card.Version().isEmpty() ? firstValue(card, VCardName::TITLE, item.room) : Text();
    if (title.isEmpty())
        title = firstValue(card, VCardName::FN, item.room);
    if (const CardValues::Property *n = card.Find(VCardName::N)) {
        // N is family name; given name; additional names; prefix.
        const int component[] = {3, 1, 2, 0};
        for (int i = 0; i < 4; ++i)
            names[i] = oneLine(card.Piece(*n, component[i]), item.room);
    } else {
        // A card with only the formatted name: its words give the names, as the person
        // dialog takes them from a title.
        TPersonNames split;
        SplitTitle(VCardText(title), split);
        int i = 0;
        for (const QString *name : {&split.Salutation, &split.FirstName, &split.MiddleName, &split.LastName})
            names[i++] = item.room.Copy(QStringView(*name));
    }
    if (title.isEmpty()) {
        const Text pieces[] = {names[1], names[3]};
        title = oneLine(joined(item.room, pieces, " "), item.room);
    }
    if (title.isEmpty())
        title = firstValue(card, VCardName::ORG, item.room);
    if (title.isEmpty())
        title = textsOf(ItemKind::Person).defaultTitle;
    item.title = title;
    // As ComposeFullName makes it.
    const Text full[] = {names[0], names[1], names[3]};
    const Text fullName = joined(item.room, full, " ");
    item.value = isBlankText(fullName) ? title : fullName;
    const Primaries primaries = mapChildren(card, item, childLevel);
    item.fields = {names[0],          names[1],        names[2],      names[3],       primaries.address,
                   primaries.phone,   primaries.fax,   primaries.email, primaries.website};
}

} // namespace

void MapVCard(TCard &card, VCardImportAs as, int childLevel, CardItem &item)
{
    CardValues values;
    values.Assign(card);
    MappedCard mapped;
    mapCard(values, as, childLevel, mapped);
    item.kind = mapped.kind;
    item.title = VCardText(mapped.title);
    item.value = VCardText(mapped.value);
    item.comment = VCardText(mapped.comment);
    item.fields.clear();
    for (Text field : mapped.fields)
        item.fields << VCardText(field);
    item.children = std::move(mapped.children);
    card.RemoveIf(isChildProperty);
}

void AppendCardRecords(CardRecords &out, const CardValues &card, VCardImportAs as, int level)
{
    // One item for the cards of a thread: its children's records and its room are kept.
    thread_local MappedCard item;
    mapCard(card, as, level + 1, item);
    out.Add(level, item.kind, item.title, item.value, item.comment, item.fields);
    out.Add(item.children);
    out.EndCard(true);
}

void AppendCardRecords(CardRecords &out, const TCard &card, VCardImportAs as, int level)
{
    CardValues values;
    values.Assign(card);
    AppendCardRecords(out, values, as, level);
}

void CardRecords::Add(int level, ItemKind kind, QByteArrayView title, QByteArrayView value, QByteArrayView comment,
                      std::span<const QByteArrayView> fields)
{
    const QByteArrayView prefix = prefixOf(level, kind);
    const QByteArrayView tag = textsOf(kind).tag;
    static constexpr char kGap[] = "           \r\n";
    static_assert(sizeof kGap - 3 == kIdRoom);
    // Room for the longest the record can be; what is left over is given back.
    qsizetype bound = prefix.size() + EncodedFieldRoom(title.size()) + EncodedFieldRoom(value.size()) +
                     EncodedFieldRoom(comment.size()) + 6 + kIdRoom + 2 + tag.size() + 1 + 2;
    for (QByteArrayView field : fields)
        bound += EncodedFieldRoom(field.size()) + 2;
    char *to = room(bound);
    char *const start = m_bytes.data();
    const auto put = [&to](QByteArrayView bytes) {
        std::memcpy(to, bytes.data(), size_t(bytes.size()));
        to += bytes.size();
    };
    put(prefix);
    to = WriteEncodedField(to, title);
    put("~~");
    to = WriteEncodedField(to, value);
    put("~~");
    to = WriteEncodedField(to, comment);
    put("~~");
    m_gaps.push_back(to - start);
    put(QByteArrayView(kGap, sizeof kGap - 1));
    put(tag);
    for (QByteArrayView field : fields) {
        to = WriteEncodedField(to, field);
        put("~~");
    }
    // No categories.
    put("0\r\n");
    m_size = to - start;
}

void CardRecords::Add(const CardRecords &other)
{
    const qsizetype shift = m_size;
    if (other.m_size > 0)
        std::memcpy(room(other.m_size), other.m_bytes.constData(), size_t(other.m_size));
    m_size += other.m_size;
    for (qsizetype gap : other.m_gaps)
        m_gaps.push_back(gap + shift);
}

void CardRecords::Reserve(qsizetype bytes)
{
    if (bytes > m_bytes.size())
        m_bytes.resize(bytes);
    // A record is some 40 bytes or more.
    m_gaps.reserve(size_t(bytes / 40));
}

void CardRecords::Clear()
{
    m_size = 0;
    m_gaps.clear();
    m_cards.clear();
}

void CardRecords::EndCard(bool ownFirst) { m_cards.push_back({m_size, m_gaps.size(), ownFirst}); }

char *CardRecords::room(qsizetype n)
{
    if (m_size + n > m_bytes.size())
        m_bytes.resize(std::max({m_size + n, m_bytes.size() * 2, qsizetype(4096)}));
    return m_bytes.data() + m_size;
}

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
    m_size = 0;
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
