#include "emailobject.h"

#include "csvfields.h"
#include "itemservices.h"

namespace {
const QString kTag = QStringLiteral("{Mail}");
}

TEMailObject::TEMailObject(int kind, const QString &title, const QString &value, const QString &comment,
                           qint32 id, const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TEMailObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (DataFields(dataLine, kTag, fields))
        SetCategories(CategoriesAt(fields, 0));
}

QString TEMailObject::GetRecordText(int level) const { return RecordWithData(level, kTag, {}); }

PopupVisibility TEMailObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.SendMail = true;
    return v;
}

bool TEMailObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TEMailObject::Edit() { Services().EditItem(*this, false); }

bool TEMailObject::ImportFields(const QStringList &values, const QStringList &names)
{
    const auto address = CsvValue(values, names, QStringLiteral("E-Mail Address"));
    if (address)
        SetValue(*address);
    if (const auto title = CsvValue(values, names, QStringLiteral("Title"))) {
        SetTitle(*title);
    } else {
        const qsizetype at = Value().indexOf(u'@');
        SetTitle(at < 0 ? Value() : Value().left(at));
    }
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    return address && !Title().isEmpty() && !Value().isEmpty();
}

QString TEMailObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == QLatin1String("E-Mail Address"))
        return CsvCell(Value());
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return QString();
}

void TEMailObject::Open() { SendMail(QString()); }

void TEMailObject::SendMail(const QString &attachment) { Services().SendMail(Title(), Value(), attachment); }

QString TEMailObject::GetVCardLine() const
{
    return (IsEMailAddress(Value()) ? QStringLiteral("EMAIL;INTERNET:") : QStringLiteral("EMAIL:")) + Value();
}

bool TEMailObject::ApplyDialog(const QString &title, const QString &address, const QString &comment)
{
    if (InRemote() || address.isEmpty())
        return false;
    SetTitle(title);
    SetValue(address);
    SetComment(comment);
    return true;
}
