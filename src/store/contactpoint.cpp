#include "contactpoint.h"

#include "fieldcodec.h"
#include "itemservices.h"
#include "exchange/csvfields.h"

TContactPointObject::TContactPointObject(ItemKind kind, const QString &title, const QString &value,
                                         const QString &comment, qint32 id, const QString &tag,
                                         const QString &valueColumn)
    : TZEBObject(kind, title, value, comment, id), m_tag(tag), m_valueColumn(valueColumn)
{
}

void TContactPointObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (!DataFields(dataLine, m_tag, fields))
        return;
    const qsizetype own = OwnFields().size();
    SetOwnFields(fields.mid(0, own));
    SetCategories(CategoriesAt(fields, own));
}

void TContactPointObject::AppendRecord(QByteArray &out, int level) const
{
    AppendRecordWithData(out, level, m_tag, OwnFields());
}

bool TContactPointObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TContactPointObject::Edit() { Services().EditItem(*this, false); }

bool TContactPointObject::ImportFields(const QStringList &values, const QStringList &names)
{
    const auto value = CsvValue(values, names, m_valueColumn);
    if (value)
        SetValue(*value);
    bool named = true;
    if (const auto title = CsvValue(values, names, QStringLiteral("Title")))
        SetTitle(*title);
    else
        named = TitleFromValue();
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    return value && named && !Title().isEmpty() && !Value().isEmpty();
}

void TContactPointObject::TakeDialogValues(const QString &title, const QString &value, const QString &comment)
{
    SetTitle(title);
    SetValue(value);
    SetComment(comment);
}

QString TContactPointObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == m_valueColumn)
        return CsvCell(Value());
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return QString();
}
