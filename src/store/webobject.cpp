#include "webobject.h"

#include "csvfields.h"
#include "itemservices.h"
#include "treenodes.h"

namespace {
const QString kTag = QStringLiteral("{Webs}");
}

TWebObject::TWebObject(int kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                       const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TWebObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (DataFields(dataLine, kTag, fields))
        SetCategories(CategoriesAt(fields, 0));
}

QString TWebObject::GetRecordText(int level) const { return RecordWithData(level, kTag, {}); }

PopupVisibility TWebObject::PreparePopup() const
{
    PopupVisibility v;
    v.Browse = true;
    return v;
}

bool TWebObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TWebObject::Edit() { Services().EditItem(*this, false); }

bool TWebObject::ImportFields(const QStringList &values, const QStringList &names)
{
    const auto address = CsvValue(values, names, QStringLiteral("Website"));
    if (address)
        SetValue(*address);
    if (const auto title = CsvValue(values, names, QStringLiteral("Title")))
        SetTitle(*title);
    else if (HasURLScheme(Value()))
        SetTitle(Value());
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    return address && !Title().isEmpty() && !Value().isEmpty();
}

QString TWebObject::GetFieldCSV(const QString &name) const
{
    if (name == QLatin1String("Title"))
        return CsvCell(Title());
    if (name == QLatin1String("Website"))
        return CsvCell(Value());
    if (name == QLatin1String("Comment"))
        return CsvCell(Comment());
    return QString();
}

void TWebObject::Open() { Browse(); }

void TWebObject::Browse() { Services().Browse(Value()); }

bool TWebObject::InHTMLIndex() const { return Node() && Node()->Item() == this && Node()->HasChildren(); }

QString TWebObject::GetVCardLine() const { return QStringLiteral("URL:") + Value(); }

bool TWebObject::ApplyDialog(const QString &title, const QString &address, const QString &comment)
{
    if (InRemote() || address.isEmpty() || !HasURLScheme(address))
        return false;
    SetTitle(title);
    SetValue(address);
    SetComment(comment);
    return true;
}
