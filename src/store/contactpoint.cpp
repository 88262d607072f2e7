#include "contactpoint.h"

#include "fieldcodec.h"
#include "itemservices.h"
#include "linescan.h"
#include "recordsource.h"
#include "exchange/csvfields.h"

TContactPointObject::TContactPointObject(ItemKind kind, const QString &title, const QString &value,
                                         const QString &comment, qint32 id, const ContactPointNames &names)
    : TZEBObject(kind, title, value, comment, id), m_names(names)
{
}

void TContactPointObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (!DataFields(dataLine, m_names.tag, fields))
        return;
    const qsizetype own = OwnFields().size();
    SetOwnFields(fields.mid(0, own));
    SetCategories(CategoriesAt(fields, own));
}

void TContactPointObject::LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin,
                                         qsizetype end)
{
    // A kind without fields of its own has only its categories after the tag: read where
    // they lie, with no text made (a load makes a website for most persons).
    const char *line = source->bytes.constData() + begin;
    const qsizetype n = end - begin;
    const QString &tag = m_names.tag;
    if (!OwnFields().isEmpty() || n < tag.size() || QLatin1StringView(line, tag.size()) != tag) {
        TZEBObject::LoadFieldsFrom(source, begin, end);
        return;
    }
    LineScan::Fields fields;
    LineScan::SplitFields(line + tag.size(), line + n, fields);
    if (!fields.isEmpty() && fields[0].begin < fields[0].end && *fields[0].begin == '~') {
        TZEBObject::LoadFieldsFrom(source, begin, end); // written escaped
        return;
    }
    SetCategories(CategoriesAt(*source, fields, 0));
}

void TContactPointObject::AppendRecord(QByteArray &out, int level) const
{
    AppendRecordWithData(out, level, m_names.tag, OwnFields());
}

bool TContactPointObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TContactPointObject::Edit() { Services().EditItem(*this, false); }

bool TContactPointObject::ImportFields(const QStringList &values, const QStringList &names)
{
    const auto value = CsvValue(values, names, m_names.valueColumn);
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

const QString *TContactPointObject::csvField(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return &Title();
    if (name == m_names.valueColumn)
        return &Value();
    if (name == QLatin1String("Comment"))
        return &Comment();
    return nullptr;
}

QString TContactPointObject::GetFieldCSV(const QString &name) const
{
    const QString *field = csvField(name);
    return field ? CsvCell(*field) : QString();
}

bool TContactPointObject::AppendFieldCSV(CsvColumn column, const QString &name, CsvRow &row) const
{
    if (const QString *field = csvField(name)) {
        row.Cell(*field);
        return true;
    }
    return TZEBObject::AppendFieldCSV(column, name, row); // a kind's own column (a phone's extension)
}
