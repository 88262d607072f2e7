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
    if (!AppendUnreadRecord(out, level, kTag, 9))
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

bool TPersonObject::OwnFieldCSV(CsvColumn column, const UnreadFields &line, CsvRow &row) const
{
    // The name parts follow one another, as in the data line.
    const int part = int(column) - int(CsvColumn::Salutation);
    if (part < 0 || part > 3)
        return TContactObject::OwnFieldCSV(column, line, row);
    if (line.source) {
        line.Cell(part, row);
    } else {
        const TPersonNames &n = nameParts();
        row.Cell(part == 0 ? n.Salutation : part == 1 ? n.FirstName : part == 2 ? n.MiddleName : n.LastName);
    }
    return true;
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
