#include "docobject.h"

#include "fieldcodec.h"
#include "itemservices.h"
#include "kindtable.h"

namespace {
const QString kTag = KindTag(ItemKind::Document);
}

TDocObject::TDocObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                       const QString &dataLine)
    : TLaunchObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TDocObject::UpdateIcon()
{
    if (!Value().isEmpty())
        SetIconIndex(Services().FileIcon(Value(), ImageIndex(Image::Document)));
}

void TDocObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (DataFields(dataLine, kTag, fields))
        SetCategories(CategoriesAt(fields, 0));
    UpdateIcon(); // the desktop's icon for the file, once the item knows its services
}

void TDocObject::AppendRecord(QByteArray &out, int level) const { AppendRecordWithData(out, level, kTag, {}); }

void TDocObject::Launch()
{
    if (!Value().isEmpty())
        Services().ShellOpen(Value());
}

bool TDocObject::ApplyDialog(const QString &title, const QString &fileName, const QString &comment)
{
    if (title.isEmpty() || fileName.isEmpty())
        return false;
    // The picture first: the panes redraw the item when its path is announced.
    SetIconIndex(Services().FileIcon(fileName, ImageIndex(Image::Document)));
    SetTitle(title);
    SetValue(fileName);
    SetComment(comment);
    return true;
}
