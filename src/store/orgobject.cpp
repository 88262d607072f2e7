#include "orgobject.h"
#include "kindtable.h"
#include "exchange/csvfields.h"


namespace {
const QString kTag = KindTag(ItemKind::Organization);
}

TOrgObject::TOrgObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                       const QString &dataLine)
    : TContactObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

void TOrgObject::LoadFields(const QString &dataLine) { TakeFields(dataLine, kTag, 5); }

void TOrgObject::LoadFieldsFrom(const std::shared_ptr<const RecordSource> &source, qsizetype begin, qsizetype end)
{
    DeferFields(source, begin, end, kTag, 5);
}

void TOrgObject::AppendRecord(QByteArray &out, int level) const
{
    if (!AppendUnreadRecord(out, level, kTag, 5))
        AppendRecordWithData(out, level, kTag, PrimaryFields(Primaries()));
}

bool TOrgObject::ImportFields(const QStringList &values, const QStringList &names)
{
    if (const auto title = CsvValue(values, names, QStringLiteral("Title")))
        SetTitle(*title);
    if (const auto comment = CsvValue(values, names, QStringLiteral("Comment")))
        SetComment(*comment);
    if (Title().isEmpty())
        return false;
    ImportPrimaryChildren(values, names);
    return true;
}

bool TOrgObject::ApplyDialog(const QString &title, const QString &comment, const TPrimaryPages &pages, bool isNew)
{
    if (InRemote())
        return false;
    SetTitle(title);
    SetComment(comment);
    ApplyPrimaryPages(pages, isNew);
    ShowTitleOnNode();
    return true;
}
