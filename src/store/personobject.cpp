#include "personobject.h"
#include "kindtable.h"
#include "exchange/csvfields.h"


namespace {
const QString kTag = KindTag(ItemKind::Person);
}

TPersonObject::TPersonObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                             qint32 id, const QString &dataLine)
    : TContactObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TPersonObject::LoadFields(const QString &dataLine) { TakeFields(dataLine, kTag, 9); }

void TPersonObject::LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end)
{
    DeferFields(source, begin, end, kTag, 9);
}

TPersonNames &TPersonObject::nameParts()
{
    EnsureFields();
    if (!m_names)
        m_names = std::make_unique<TPersonNames>();
    return *m_names;
}

void TPersonObject::ReadFields(const QStringList &fields)
{
    nameParts() = TPersonNames{fields.value(0), fields.value(1), fields.value(2), fields.value(3)};
    LoadPrimaryFields(fields, 4);
}

QStringList TPersonObject::RecordFields(const TPersonNames &names, const TPrimaryTitles &primaries)
{
    return QStringList{names.Salutation, names.FirstName, names.MiddleName, names.LastName} + PrimaryFields(primaries);
}

void TPersonObject::AppendRecord(QByteArray &out, int level) const
{
    AppendRecordWithData(out, level, kTag, RecordFields(nameParts(), Primaries()));
}

bool TPersonObject::ImportFields(const QStringList &values, const QStringList &names)
{
    if (const auto title = CsvValue(values, names, QStringLiteral("Title")))
        SetTitle(*title);
    if (const auto salutation = CsvValue(values, names, QStringLiteral("Salutation")))
        nameParts().Salutation = *salutation;
    if (const auto first = CsvValue(values, names, QStringLiteral("First Name")))
        nameParts().FirstName = *first;
    if (const auto middle = CsvValue(values, names, QStringLiteral("Middle Name")))
        nameParts().MiddleName = *middle;
    if (const auto last = CsvValue(values, names, QStringLiteral("Last Name")))
        nameParts().LastName = *last;
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    SetValue(nameParts().FirstName + u' ' + nameParts().LastName);
    // Neither a first nor a last name: not a person.
    if (Value().size() < 2)
        return false;
    if (Title().isEmpty())
        SetTitle(Value());
    ImportPrimaryChildren(values, names);
    return true;
}

QString TPersonObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == QLatin1String("Salutation"))
        return CsvCell(nameParts().Salutation);
    if (name == QLatin1String("First Name"))
        return CsvCell(nameParts().FirstName);
    if (name == QLatin1String("Middle Name"))
        return CsvCell(nameParts().MiddleName);
    if (name == QLatin1String("Last Name"))
        return CsvCell(nameParts().LastName);
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return PrimaryFieldCSV(name);
}

bool TPersonObject::ApplyDialog(const QString &title, const TPersonNames &names, const QString &comment,
                                const TPrimaryPages &pages, bool isNew)
{
    if (InRemote())
        return false;
    nameParts() = names;
    SetTitle(title);
    SetValue(ComposeFullName(names.Salutation, names.FirstName, names.LastName));
    SetComment(comment);
    ApplyPrimaryPages(pages, isNew);
    ShowTitleOnNode();
    return true;
}
