#include "phoneobject.h"

#include "csvfields.h"
#include "itemservices.h"

namespace {
const QString kTag = QStringLiteral("{Phon}");
}

TPhoneObject::TPhoneObject(int kind, const QString &title, const QString &value, const QString &comment,
                           qint32 id, const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TPhoneObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (!DataFields(dataLine, kTag, fields))
        return;
    m_extension = fields.value(0);
    SetCategories(CategoriesAt(fields, 1));
}

QString TPhoneObject::GetRecordText(int level) const { return RecordWithData(level, kTag, {m_extension}); }

PopupVisibility TPhoneObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.Dial = true;
    return v;
}

bool TPhoneObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TPhoneObject::Edit() { Services().EditItem(*this, false); }

bool TPhoneObject::ImportFields(const QStringList &values, const QStringList &names)
{
    const auto title = CsvValue(values, names, QStringLiteral("Title"));
    const auto number = CsvValue(values, names, QStringLiteral("Phone Number"));
    if (title)
        SetTitle(*title);
    if (number)
        SetValue(*number);
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    if (const auto extension = CsvValue(values, names, QStringLiteral("Extension")))
        m_extension = *extension;
    return title && number && !Title().isEmpty() && !Value().isEmpty();
}

QString TPhoneObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == QLatin1String("Phone Number"))
        return CsvCell(Value());
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    if (name == QLatin1String("Extension"))
        return CsvCell(m_extension);
    return QString();
}

void TPhoneObject::Open() { Dial(); }

void TPhoneObject::Dial() { Services().Dial(Title(), Value()); }

QString TPhoneObject::GetVCardLine() const { return QStringLiteral("TEL:") + Value(); }

bool TPhoneObject::ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                               const QString &comment, const QString &extension)
{
    if (InRemote() || title.isEmpty() || bareNumber.isEmpty())
        return false;
    SetTitle(title);
    SetValue(shownNumber);
    SetComment(comment);
    m_extension = extension;
    return true;
}
