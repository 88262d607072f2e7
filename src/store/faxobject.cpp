#include "faxobject.h"

#include "csvfields.h"
#include "itemservices.h"

namespace {
const QString kTag = QStringLiteral("{Faxs}");
}

TFaxObject::TFaxObject(int kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                       const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TFaxObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (DataFields(dataLine, kTag, fields))
        SetCategories(CategoriesAt(fields, 0));
}

QString TFaxObject::GetRecordText(int level) const { return RecordWithData(level, kTag, {}); }

PopupVisibility TFaxObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.SendFax = true;
    v.Dial = true;
    return v;
}

bool TFaxObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TFaxObject::Edit() { Services().EditItem(*this, false); }

bool TFaxObject::ImportFields(const QStringList &values, const QStringList &names)
{
    const auto title = CsvValue(values, names, QStringLiteral("Title"));
    const auto number = CsvValue(values, names, QStringLiteral("Fax Number"));
    if (title)
        SetTitle(*title);
    if (number)
        SetValue(*number);
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    return title && number && !Title().isEmpty() && !Value().isEmpty();
}

QString TFaxObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == QLatin1String("Fax Number"))
        return CsvCell(Value());
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return QString();
}

void TFaxObject::Open() { SendFax(QString()); }

void TFaxObject::SendFax(const QString &attachment) { Services().SendFax(Title(), Value(), attachment); }

void TFaxObject::Dial() { Services().Dial(Title(), Value()); }

QString TFaxObject::GetVCardLine() const { return QStringLiteral("TEL;FAX:") + Value(); }

bool TFaxObject::ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                             const QString &comment, bool isNew)
{
    if (InRemote() || title.isEmpty() || (isNew && bareNumber.isEmpty()))
        return false;
    SetTitle(title);
    SetValue(shownNumber);
    SetComment(comment);
    return true;
}
