#include "vcarditems.h"

#include "vcardfile.h"

#include "store/addressobject.h"
#include "store/itemfactory.h"
#include "store/kindtable.h"
#include "store/orgobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "store/treenodes.h"

namespace {

using VCardTypes::Bit;

// The property of a child, with PREF on the primary one of its kind. The title gives
// back the types an import took it from ("Home,Cellular"); PREF only ever says primary.
void addChildProperty(TCard &card, const TContactObject &owner, const TZEBObject &child)
{
    const QString line = child.GetVCardLine();
    if (line.isEmpty())
        return;
    TCardProperty property;
    property.SetLine(line);
    property.Types |= VCardTypes::FromDescription(child.Title()) & ~Bit(VCardTypes::Pref);
    if (child.Kind() != ItemKind::Website && child.Title() == owner.PrimaryTitle(child.Kind()))
        property.Types |= Bit(VCardTypes::Pref);
    card.Add(std::move(property));
}

TCardProperty propertyOf(const QString &name, const QStringList &values)
{
    TCardProperty property;
    property.Name = name;
    property.Values = values;
    return property;
}

// A title on one line: a name is shown in a tree.
QString oneLine(QString s) { return s.replace(u'\n', u' ').trimmed(); }

// The title of a new child of the kind: its types, else a word for the kind; "2",
// "3"... after it when the owner has one of that title already.
QString childTitle(const TContactObject &owner, ItemKind kind, VCardTypes::Set types)
{
    QString base = VCardTypes::Description(types & ~Bit(VCardTypes::Pref));
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
    for (int n = 2; owner.FindChild(title, kind); ++n)
        title = QStringLiteral("%1 %2").arg(base).arg(n);
    return title;
}

// The street lines of an address component list. Cards of this program's older files
// (no VERSION) hold three street lines in the first three components; every other card
// holds a post-office box, an extended address and the street, which may have line breaks.
QStringList streetLines(const QStringList &values, bool olderFile)
{
    if (olderFile)
        return values.mid(0, 3);
    QStringList lines;
    for (const QString &part : {values.value(0), values.value(1)})
        if (!part.trimmed().isEmpty())
            lines << part;
    lines << values.value(2).split(u'\n');
    while (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    if (lines.size() > 3)
        lines = QStringList{lines.at(0), lines.at(1), lines.mid(2).join(QLatin1String(", "))};
    return lines;
}

void readContactPoints(TContactObject &owner, TCard &card)
{
    const bool olderFile = card.Version.isEmpty();
    TTreeNode *node = owner.Node();
    // The last child marked preferred is the primary one of its kind; without one, the
    // first (cards of phones seldom mark any, and a contact's CSV columns and pages show
    // only primary ones).
    quint32 preferred = 0;
    auto place = [&](ItemKind kind, const QString &title, bool pref) {
        if (pref) {
            owner.SetPrimaryTitle(kind, title);
            preferred |= 1u << KindCode(kind);
        } else if (!(preferred & (1u << KindCode(kind))) && owner.PrimaryTitle(kind).isEmpty()) {
            owner.SetPrimaryTitle(kind, title);
        }
    };
    while (std::optional<TCardProperty> p = card.TakeProperty(u"ADR")) {
        const QString title = childTitle(owner, ItemKind::Address, p->Types);
        const QStringList lines = streetLines(p->Values, olderFile);
        auto *address = static_cast<TAddressObject *>(
            CreateItem(ItemKind::Address, title, lines.value(0), QString(), node, QString(), 0));
        address->SetLines(lines);
        address->SetCity(p->Values.value(3));
        address->SetState(p->Values.value(4));
        address->SetPostalCode(p->Values.value(5));
        address->SetCountry(p->Values.value(6));
        place(ItemKind::Address, title, p->Has(VCardTypes::Pref));
    }
    while (std::optional<TCardProperty> p = card.TakeProperty(u"EMAIL")) {
        const QString title = childTitle(owner, ItemKind::EMail, p->Types);
        CreateItem(ItemKind::EMail, title, oneLine(p->First()), QString(), node, QString(), 0);
        place(ItemKind::EMail, title, p->Has(VCardTypes::Pref));
    }
    while (std::optional<TCardProperty> p = card.TakeProperty(u"TEL")) {
        const ItemKind kind = p->Has(VCardTypes::Fax) ? ItemKind::Fax : ItemKind::Phone;
        const QString title = childTitle(owner, kind, p->Types);
        CreateItem(kind, title, oneLine(p->First()), QString(), node, QString(), 0);
        place(kind, title, p->Has(VCardTypes::Pref));
    }
    while (std::optional<TCardProperty> p = card.TakeProperty(u"URL")) {
        const QString title = childTitle(owner, ItemKind::Website, 0);
        CreateItem(ItemKind::Website, title, oneLine(p->First()), QString(), node, QString(), 0);
        place(ItemKind::Website, title, p->Has(VCardTypes::Pref));
    }
}

QString firstValue(const TCard &card, QStringView name)
{
    const TCardProperty *p = card.FindProperty(name);
    return p ? oneLine(p->First()) : QString();
}

// The item's comment travels as the card's note.
void readComment(TContactObject &item, const TCard &card)
{
    if (const TCardProperty *note = card.FindProperty(u"NOTE"))
        item.SetComment(note->First());
}

} // namespace

TCard CardOf(const TContactObject &item)
{
    TCard card;
    if (const auto *person = dynamic_cast<const TPersonObject *>(&item)) {
        card.Add(propertyOf(QStringLiteral("N"), {person->LastName(), person->FirstName(), person->MiddleName(),
                                                  person->Salutation(), QString()}));
        card.Add(propertyOf(QStringLiteral("FN"), {item.Title()}));
    } else {
        card.Add(propertyOf(QStringLiteral("N"), {item.Title(), QString(), QString(), QString(), QString()}));
        card.Add(propertyOf(QStringLiteral("FN"), {item.Title()}));
        card.Add(propertyOf(QStringLiteral("ORG"), {item.Title()}));
    }
    if (!item.Comment().isEmpty())
        card.Add(propertyOf(QStringLiteral("NOTE"), {item.Comment()}));
    for (int i = 0; i < item.ChildCount(); ++i)
        addChildProperty(card, item, *item.ChildAt(i));
    if (TTreeNode *node = item.Node(); node && node->Item() == &item)
        for (int i = 0; i < node->Count(); ++i)
            if (const TZEBObject *child = node->Child(i)->Item(); child && child->Kind() == ItemKind::Website)
                addChildProperty(card, item, *child);
    return card;
}

void WriteVCardFile(const TZEBObject &item, const QString &fileName)
{
    const auto *contact = dynamic_cast<const TContactObject *>(&item);
    if (!contact)
        return;
    TVCardFile file;
    file.Filename = fileName;
    file.AddCard(CardOf(*contact));
    file.SaveToFile();
}

int WriteVCardSubtree(TTreeNode *node, const QString &fileName)
{
    TVCardFile file;
    file.Filename = fileName;
    ForEachShownNode(node, [&file](TTreeNode *n, int) {
        if (const auto *contact = dynamic_cast<const TContactObject *>(n->Item()))
            file.AddCard(CardOf(*contact));
    });
    if (file.Count() > 0)
        file.SaveToFile();
    return file.Count();
}

void ReadVCard(TPersonObject &person, TCard &card)
{
    const bool olderFile = card.Version.isEmpty();
    if (const TCardProperty *n = card.FindProperty(u"N")) {
        const QStringList &v = n->Values;
        person.SetLastName(oneLine(v.value(0)));
        person.SetFirstName(oneLine(v.value(1)));
        person.SetMiddleName(oneLine(v.value(2)));
        person.SetSalutation(oneLine(v.value(3)));
    }
    // TITLE is a job title; only this program's older files put the item's title there.
    QString title = olderFile ? firstValue(card, u"TITLE") : QString();
    if (title.isEmpty())
        title = firstValue(card, u"FN");
    if (!card.FindProperty(u"N")) {
        // A card with only the formatted name: its words give the names, as the person
        // dialog takes them from a title.
        TPersonNames names;
        if (SplitTitle(title, names)) {
            person.SetFirstName(names.FirstName);
            person.SetMiddleName(names.MiddleName);
            person.SetLastName(names.LastName);
        }
    }
    if (title.isEmpty())
        title = oneLine(person.FirstName() + u' ' + person.LastName());
    if (title.isEmpty())
        title = firstValue(card, u"ORG");
    if (title.isEmpty())
        title = DefaultTitle(ItemKind::Person);
    person.SetTitle(title);
    const QString fullName = ComposeFullName(person.Salutation(), person.FirstName(), person.LastName());
    person.SetValue(fullName.trimmed().isEmpty() ? title : fullName);
    readComment(person, card);
    readContactPoints(person, card);
}

void ReadVCard(TOrgObject &organization, TCard &card)
{
    QString title = firstValue(card, u"ORG");
    if (title.isEmpty())
        title = firstValue(card, u"FN");
    if (title.isEmpty())
        title = DefaultTitle(ItemKind::Organization);
    organization.SetTitle(title);
    readComment(organization, card);
    readContactPoints(organization, card);
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
