#include "faxobject.h"
#include "vcardline.h"

#include "itemservices.h"
#include "kindtable.h"

namespace {
const ContactPointNames kNames{KindTag(ItemKind::Fax), QStringLiteral("Fax Number")};
}

TFaxObject::TFaxObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                       const QString &dataLine)
    : TContactPointObject(kind, title, value, comment, id, kNames)
{
    LoadFields(dataLine);
}

PopupVisibility TFaxObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.SendFax = true;
    v.Dial = true;
    return v;
}

void TFaxObject::Open() { SendFax(QString()); }

void TFaxObject::SendFax(const QString &attachment) { Services().SendFax(Title(), Value(), attachment); }

void TFaxObject::Dial() { Services().Dial(Title(), Value()); }

QString TFaxObject::GetVCardLine() const { return VCardLine(QStringLiteral("TEL;FAX"), {Value()}); }

bool TFaxObject::ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                             const QString &comment, bool isNew)
{
    if (InRemote() || title.isEmpty() || (isNew && bareNumber.isEmpty()))
        return false;
    TakeDialogValues(title, shownNumber, comment);
    return true;
}
