#include "reportrows.h"

#include "exchange/csvfields.h"
#include "store/addressobject.h"
#include "store/contactobject.h"
#include "store/personobject.h"
#include "store/recordfile.h"
#include "store/reminderobject.h"
#include "store/treenodes.h"

#include <QCollator>
#include <algorithm>

namespace {

QString joinFilled(const QStringList &parts, const QString &separator)
{
    QStringList filled;
    for (const QString &part : parts)
        if (!part.trimmed().isEmpty())
            filled << part.trimmed();
    return filled.join(separator);
}

bool isContact(const TZEBObject &item)
{
    return item.Kind() == ItemKind::Person || item.Kind() == ItemKind::Organization;
}

// The value of an item's exported cell, so a report shows what an export would.
QString cellOf(const TZEBObject &item, const QString &column)
{
    return CsvCellValue(item.GetFieldCSV(column)).value_or(QString());
}

// Each leaf child the filter shows, in order.
template <typename Visit>
void forShownChildren(const TZEBObject &item, Visit visit)
{
    for (int i = 0; i < item.ChildCount(); ++i)
        if (const TZEBObject *child = item.ChildAt(i); !child->IsFilteredOut())
            visit(*child);
}

} // namespace

QStringList PostalLines(const TAddressObject &address)
{
    QStringList lines;
    for (const QString &street : address.Lines())
        if (!street.trimmed().isEmpty())
            lines << street.trimmed();
    for (const QString &line : {joinFilled({address.City(), address.State()}, QStringLiteral(", ")),
                                joinFilled({address.PostalCode(), address.Country()}, QStringLiteral(" "))})
        if (!line.isEmpty())
            lines << line;
    return lines;
}

QStringList DeliveryLines(const QString &name, const TAddressObject *address)
{
    QStringList lines;
    if (!name.trimmed().isEmpty())
        lines << name.trimmed();
    if (address)
        lines << PostalLines(*address);
    return lines;
}

QStringList DeliveryFor(const TZEBObject &container, const TZEBObject *chosenAddress)
{
    if (const auto *chosen = dynamic_cast<const TAddressObject *>(chosenAddress))
        return DeliveryLines(AddresseeName(container), chosen);
    if (const TAddressObject *address = PrimaryAddressOf(container))
        return DeliveryLines(AddresseeName(container), address);
    for (int i = 0; i < container.ChildCount(); ++i)
        if (const auto *address = dynamic_cast<const TAddressObject *>(container.ChildAt(i)))
            return DeliveryLines(AddresseeName(container), address);
    // A folder without an address has no one to deliver to.
    return isContact(container) ? DeliveryLines(AddresseeName(container), nullptr) : QStringList();
}

const TAddressObject *PrimaryAddressOf(const TZEBObject &item)
{
    if (const auto *contact = dynamic_cast<const TContactObject *>(&item))
        return dynamic_cast<const TAddressObject *>(contact->PrimaryChild(ItemKind::Address));
    return nullptr;
}

QString AddresseeName(const TZEBObject &item)
{
    const QString name = item.Kind() == ItemKind::Person ? item.Value().simplified() : QString();
    return name.isEmpty() ? item.Title() : name;
}

std::vector<ListingRow> ListingRows(TTreeNode *node)
{
    std::vector<ListingRow> rows;
    ForEachShownNode(node, [&](TTreeNode *n, int) {
        const TZEBObject &item = *n->Item();
        if (!isContact(item))
            return;
        ListingRow row;
        row.contact = item.Title();
        if (const TAddressObject *address = PrimaryAddressOf(item))
            row.address = PostalLines(*address);
        row.phone = cellOf(item, QStringLiteral("Phone Number"));
        row.fax = cellOf(item, QStringLiteral("Fax Number"));
        row.email = cellOf(item, QStringLiteral("E-Mail Address"));
        row.url = cellOf(item, QStringLiteral("Website"));
        rows.push_back(std::move(row));
    });
    return rows;
}

std::vector<QStringList> LabelTexts(TTreeNode *node)
{
    std::vector<QStringList> labels;
    ForEachShownNode(node, [&](TTreeNode *n, int) {
        const TZEBObject &item = *n->Item();
        if (isContact(item)) {
            labels.push_back(DeliveryLines(AddresseeName(item), PrimaryAddressOf(item)));
            return;
        }
        forShownChildren(item, [&](const TZEBObject &child) {
            if (const auto *address = dynamic_cast<const TAddressObject *>(&child))
                labels.push_back(DeliveryLines(child.Title(), address));
        });
    });
    return labels;
}

namespace {

QString filingName(const TZEBObject &item)
{
    const auto *person = dynamic_cast<const TPersonObject *>(&item);
    if (!person)
        return item.Title().trimmed();
    const QString given = joinFilled({person->FirstName(), person->MiddleName()}, QStringLiteral(" "));
    const QString last = person->LastName().trimmed();
    if (!last.isEmpty())
        return given.isEmpty() ? last : last + QStringLiteral(", ") + given;
    return given.isEmpty() ? item.Title().trimmed() : given;
}

// The first character (a whole surrogate pair) case-folded.
QString foldedInitial(const QString &name)
{
    if (name.isEmpty())
        return QString();
    const qsizetype length = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(length).toCaseFolded();
}

} // namespace

std::vector<AddressBookEntry> AddressBookEntries(TTreeNode *node, const QCollator &collator)
{
    struct Filed
    {
        QString initial;
        AddressBookEntry entry;
    };
    std::vector<Filed> filed;
    ForEachShownNode(node, [&](TTreeNode *n, int) {
        const TZEBObject &item = *n->Item();
        if (isContact(item)) {
            AddressBookEntry entry{{}, filingName(item), cellOf(item, QStringLiteral("Phone Number")), {}};
            if (const TAddressObject *address = PrimaryAddressOf(item))
                entry.address = PostalLines(*address);
            filed.push_back({foldedInitial(entry.name), std::move(entry)});
            return;
        }
        forShownChildren(item, [&](const TZEBObject &child) {
            AddressBookEntry entry{{}, child.Title().trimmed(), {}, {}};
            if (const auto *address = dynamic_cast<const TAddressObject *>(&child))
                entry.address = PostalLines(*address);
            else if (child.Kind() == ItemKind::Phone)
                entry.phone = child.Value();
            else
                return;
            filed.push_back({foldedInitial(entry.name), std::move(entry)});
        });
    });

    QCollator order(collator);
    order.setCaseSensitivity(Qt::CaseInsensitive);
    // Whole groups stay together even where the collation puts a letter with an accent
    // among the plain ones.
    std::stable_sort(filed.begin(), filed.end(), [&](const Filed &a, const Filed &b) {
        if (a.initial != b.initial) {
            if (const int byGroup = order.compare(a.initial, b.initial))
                return byGroup < 0;
            return a.initial < b.initial;
        }
        return order.compare(a.entry.name, b.entry.name) < 0;
    });
    std::vector<AddressBookEntry> entries;
    entries.reserve(filed.size());
    for (Filed &f : filed) {
        f.entry.group = f.initial.toUpper();
        entries.push_back(std::move(f.entry));
    }
    return entries;
}

std::vector<SimpleRow> SimpleRows(TTreeNode *node)
{
    std::vector<SimpleRow> rows;
    ForEachShownNode(node, [&](TTreeNode *n, int) {
        const TZEBObject &item = *n->Item();
        rows.push_back({item.Title(), item.Value(), item.Comment()});
        forShownChildren(item, [&](const TZEBObject &child) {
            rows.push_back({child.Title(), child.Value(), child.Comment()});
        });
    });
    return rows;
}

std::vector<ReminderRow> ReminderRows(TTreeNode *node, const QDate &from, const QDate &to)
{
    std::vector<ReminderRow> rows;
    ForEachShownNode(node, [&](TTreeNode *n, int) {
        const TZEBObject &owner = *n->Item();
        forShownChildren(owner, [&](const TZEBObject &child) {
            const auto *reminder = dynamic_cast<const TReminderObject *>(&child);
            if (!reminder)
                return;
            const QDate date = reminder->Recurrence().GetDate();
            if (!date.isValid() || date < from || date > to)
                return;
            // A person's full name keeps a blank for an empty salutation; it is not shown.
            QString contact = owner.Title();
            if (const QString value = owner.Value().simplified(); !value.isEmpty())
                contact += QStringLiteral(" (") + value + QLatin1Char(')');
            rows.push_back({date, child.Title(), contact, child.Comment()});
        });
    });
    std::stable_sort(rows.begin(), rows.end(), [](const ReminderRow &a, const ReminderRow &b) {
        return a.date < b.date;
    });
    return rows;
}
