#include "emailobject.h"
#include "vcardline.h"

#include "itemservices.h"
#include "kindtable.h"

namespace {
const ContactPointNames kNames{KindTag(ItemKind::EMail), QStringLiteral("E-Mail Address")};
}

TEMailObject::TEMailObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                           qint32 id, const QString &dataLine)
    : TContactPointObject(kind, title, value, comment, id, kNames)
{
    LoadFields(dataLine);
}

PopupVisibility TEMailObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.SendMail = true;
    return v;
}

bool TEMailObject::TitleFromValue()
{
    const qsizetype at = Value().indexOf(u'@');
    SetTitle(at < 0 ? Value() : Value().left(at));
    return true;
}

void TEMailObject::Open() { SendMail(QString()); }

void TEMailObject::SendMail(const QString &attachment) { Services().SendMail(Title(), Value(), attachment); }

QString TEMailObject::GetVCardLine() const
{
    return VCardLine(IsEMailAddress(Value()) ? QStringLiteral("EMAIL;INTERNET") : QStringLiteral("EMAIL"), {Value()});
}

bool TEMailObject::ApplyDialog(const QString &title, const QString &address, const QString &comment)
{
    if (InRemote() || address.isEmpty())
        return false;
    TakeDialogValues(title, address, comment);
    return true;
}
