#include "personobject.h"

#include "csvfields.h"

namespace {
const QString kTag = QStringLiteral("{Pers}");
}

TPersonObject::TPersonObject(int kind, const QString &title, const QString &value, const QString &comment,
                             qint32 id, const QString &dataLine)
    : TContactObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TPersonObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (!DataFields(dataLine, kTag, fields))
        return;
    m_names.Salutation = fields.value(0);
    m_names.FirstName = fields.value(1);
    m_names.MiddleName = fields.value(2);
    m_names.LastName = fields.value(3);
    LoadPrimaryFields(fields, 4);
    SetCategories(CategoriesAt(fields, 9));
}

QString TPersonObject::GetRecordText(int level) const
{
    return RecordWithData(level, kTag,
                          QStringList{m_names.Salutation, m_names.FirstName, m_names.MiddleName, m_names.LastName} +
                              PrimaryFields());
}

bool TPersonObject::ImportFields(const QStringList &values, const QStringList &names)
{
    if (const auto title = CsvValue(values, names, QStringLiteral("Title")))
        SetTitle(*title);
    if (const auto salutation = CsvValue(values, names, QStringLiteral("Salutation")))
        m_names.Salutation = *salutation;
    if (const auto first = CsvValue(values, names, QStringLiteral("First Name")))
        m_names.FirstName = *first;
    if (const auto middle = CsvValue(values, names, QStringLiteral("Middle Name")))
        m_names.MiddleName = *middle;
    if (const auto last = CsvValue(values, names, QStringLiteral("Last Name")))
        m_names.LastName = *last;
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    SetValue(m_names.FirstName + u' ' + m_names.LastName);
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
        return CsvCell(m_names.Salutation);
    if (name == QLatin1String("First Name"))
        return CsvCell(m_names.FirstName);
    if (name == QLatin1String("Middle Name"))
        return CsvCell(m_names.MiddleName);
    if (name == QLatin1String("Last Name"))
        return CsvCell(m_names.LastName);
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return PrimaryFieldCSV(name);
}

bool TPersonObject::ApplyDialog(const QString &title, const TPersonNames &names, const QString &comment,
                                const TPrimaryPages &pages, bool isNew)
{
    if (InRemote())
        return false;
    m_names = names;
    SetTitle(title);
    SetValue(ComposeFullName(names.Salutation, names.FirstName, names.LastName));
    SetComment(comment);
    ApplyPrimaryPages(pages, isNew);
    ShowTitleOnNode();
    return true;
}
