#include "teamobject.h"

#include "fieldcodec.h"
#include "itemservices.h"
#include "kindtable.h"

namespace {
const QString kTag = KindTag(ItemKind::Team);
}

TTeamObject::TTeamObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                         const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TTeamObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (DataFields(dataLine, kTag, fields))
        SetCategories(CategoriesAt(fields, 0));
}

void TTeamObject::AppendRecord(QByteArray &out, int level) const { AppendRecordWithData(out, level, kTag, {}); }

void TTeamObject::Edit() { Services().EditItem(*this, false); }

bool TTeamObject::ApplyDialog(const QString &title, const QString &comment)
{
    if (InRemote())
        return false;
    SetTitle(title);
    SetComment(comment);
    return true;
}
