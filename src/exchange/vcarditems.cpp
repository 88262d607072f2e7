#include "vcarditems.h"

#include "vcardfile.h"
#include "vcardrecords.h"

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

// Fills an item placed already from a card: its own fields, then its children below it.
void readCard(TContactObject &item, TCard &card, VCardImportAs as)
{
    CardItem mapped;
    MapVCard(card, as, 1, mapped);
    QByteArray dataLine;
    AppendDataLine(dataLine, KindTag(mapped.kind), mapped.fields, item.Categories());
    item.LoadFields(QString::fromUtf8(dataLine));
    item.SetTitle(mapped.title);
    item.SetValue(mapped.value);
    item.SetComment(mapped.comment);
    mapped.children.EndCard(false);
    QByteArray children;
    mapped.children.AppendWithIds(children);
    ReadItems(children, 0, 1, item.Node());
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

void ReadVCard(TPersonObject &person, TCard &card) { readCard(person, card, VCardImportAs::Person); }

void ReadVCard(TOrgObject &organization, TCard &card) { readCard(organization, card, VCardImportAs::Organization); }

