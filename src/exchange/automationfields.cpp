#include "automationfields.h"

#include "automationerror.h"
#include "csvcolumns.h"
#include "csvfields.h"
#include "store/contactobject.h"
#include "store/itemfactory.h"
#include "store/zebobject.h"

#include <map>

namespace {

constexpr ItemKind kContactPointKinds[] = {ItemKind::Address, ItemKind::Phone, ItemKind::Fax, ItemKind::EMail,
                                           ItemKind::Website};

// The columns a kind reads and writes itself, as a fresh item of it answers them (a
// contact's answer for the columns of its children comes from those children).
const QStringList &OwnColumns(ItemKind kind)
{
    static std::map<ItemKind, QStringList> known;
    const auto it = known.find(kind);
    if (it != known.end())
        return it->second;
    QStringList columns;
    // A fixed Id: a fresh one would draw from the program's random sequence.
    const auto probe = MakeItem(kind, QString(), QString(), QString(), QString(), 1);
    for (const QString &name : CsvColumnNames())
        if (CsvCellValue(probe->GetFieldCSV(name)))
            columns << name;
    return known.emplace(kind, columns).first->second;
}

// What an import may change, to be put back when the kind refuses the value.
struct Snapshot
{
    QString title, value, comment, dataLine;
    qint32 categories;
};

Snapshot Take(const TZEBObject &item)
{
    const QString record = item.GetRecordText(1);
    const qsizetype end = record.indexOf(QLatin1String("\r\n"));
    return {item.Title(), item.Value(), item.Comment(), end < 0 ? QString() : record.mid(end + 2), item.Categories()};
}

void Restore(TZEBObject &item, const Snapshot &was)
{
    item.LoadFields(was.dataLine);
    item.SetTitle(was.title);
    item.SetValue(was.value);
    item.SetComment(was.comment);
    item.SetCategories(was.categories);
}

EAutomation Refused(const QString &name, const QString &value)
{
    return EAutomation(EAutomation::Code::InvalidArgs,
                       QStringLiteral("The value \"%1\" is not accepted for the field \"%2\"").arg(value, name));
}

// The item's own columns with their present values and the one column changed.
void ImportOwnColumn(TZEBObject &item, const QStringList &columns, const QString &name, const QString &value)
{
    QStringList values;
    for (const QString &column : columns)
        values << (column == name ? value : CsvCellValue(item.GetFieldCSV(column)).value_or(QString()));
    const Snapshot was = Take(item);
    bool accepted = false;
    try {
        accepted = item.ImportFields(values, columns);
    } catch (...) {
        Restore(item, was);
        throw;
    }
    if (!accepted) {
        Restore(item, was);
        throw Refused(name, value);
    }
}

} // namespace

QString FieldCell(const TZEBObject &item, const QString &name) { return item.GetFieldCSV(name); }

void SetField(TZEBObject &item, const QString &name, const QString &value)
{
    const QStringList &own = OwnColumns(item.Kind());
    if (own.contains(name)) {
        ImportOwnColumn(item, own, name, value);
        return;
    }
    if (auto *contact = dynamic_cast<TContactObject *>(&item)) {
        for (const ItemKind kind : kContactPointKinds) {
            if (!OwnColumns(kind).contains(name))
                continue;
            // The existing primary child takes the value; a second one would hide it.
            if (TZEBObject *child = contact->PrimaryChild(kind)) {
                SetField(*child, name, value);
                return;
            }
            contact->ImportChild(kind, TContactObject::ImportedChildTitle(kind), {name}, {value});
            if (!contact->PrimaryChild(kind))
                throw Refused(name, value);
            return;
        }
    }
    throw EAutomation(EAutomation::Code::InvalidArgs, QStringLiteral("The item has no field \"%1\"").arg(name));
}
