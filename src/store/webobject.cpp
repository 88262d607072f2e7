#include "webobject.h"
#include "vcardline.h"

#include "itemservices.h"
#include "treenodes.h"
#include "kindtable.h"

namespace {
const ContactPointNames kNames{KindTag(ItemKind::Website), QStringLiteral("Website")};
}

TWebObject::TWebObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                       const QString &dataLine)
    : TContactPointObject(kind, title, value, comment, id, kNames)
{
    LoadFields(dataLine);
}

PopupVisibility TWebObject::PreparePopup() const
{
    PopupVisibility v;
    v.Browse = true;
    return v;
}

bool TWebObject::TitleFromValue()
{
    if (HasURLScheme(Value()))
        SetTitle(Value());
    return true;
}

void TWebObject::Open() { Browse(); }

void TWebObject::Browse() { Services().Browse(Value()); }

bool TWebObject::InHTMLIndex() const { return Node() && Node()->Item() == this && Node()->HasChildren(); }

QString TWebObject::GetVCardLine() const { return VCardLine(QStringLiteral("URL"), {Value()}); }

bool TWebObject::ApplyDialog(const QString &title, const QString &address, const QString &comment)
{
    if (InRemote() || address.isEmpty() || !HasURLScheme(address))
        return false;
    TakeDialogValues(title, address, comment);
    return true;
}
