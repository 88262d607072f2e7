#include "phoneobject.h"
#include "vcardline.h"

#include "itemservices.h"
#include "kindtable.h"
#include "exchange/csvfields.h"

namespace {
const ContactPointNames kNames{KindTag(ItemKind::Phone), QStringLiteral("Phone Number")};
}

TPhoneObject::TPhoneObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                           qint32 id, const QString &dataLine)
    : TContactPointObject(kind, title, value, comment, id, kNames)
{
    LoadFields(dataLine);
}

PopupVisibility TPhoneObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.Dial = true;
    return v;
}

bool TPhoneObject::ImportFields(const QStringList &values, const QStringList &names)
{
    if (const auto extension = CsvValue(values, names, QStringLiteral("Extension")))
        m_extension = *extension;
    return TContactPointObject::ImportFields(values, names);
}

QString TPhoneObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Extension"))
        return CsvCell(m_extension);
    return TContactPointObject::GetFieldCSV(name);
}

void TPhoneObject::Open() { Dial(); }

void TPhoneObject::Dial() { Services().Dial(Title(), Value()); }

QString TPhoneObject::GetVCardLine() const { return VCardLine(QStringLiteral("TEL"), {Value()}); }

bool TPhoneObject::ApplyDialog(const QString &title, const QString &shownNumber, const QString &bareNumber,
                               const QString &comment, const QString &extension)
{
    if (InRemote() || title.isEmpty() || bareNumber.isEmpty())
        return false;
    TakeDialogValues(title, shownNumber, comment);
    m_extension = extension;
    return true;
}
