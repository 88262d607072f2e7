#include "toolobject.h"

#include "databasecontext.h"
#include "fieldcodec.h"
#include "itemservices.h"
#include "toolitems.h"
#include "kindtable.h"

namespace {
const QString kTag = KindTag(ItemKind::Tool);
}

TToolObject::TToolObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                         const QString &dataLine)
    : TLaunchObject(kind, title, value, comment, id)
{
    LoadFields(dataLine);
}

QString TToolObject::NewDataLine(const QString &toolFile, const QString &toolArgs)
{
    return kTag + EncodeField(toolFile) + QLatin1String("~~") + EncodeField(toolArgs);
}

void TToolObject::LoadFields(const QString &dataLine)
{
    QStringList fields;
    if (!DataFields(dataLine, kTag, fields))
        return;
    m_toolFile = fields.value(0);
    m_toolArgs = fields.value(1);
    SetCategories(CategoriesAt(fields, 2));
    if (const TToolItem *tool = Context().Tools().FindByFileName(m_toolFile))
        SetIconIndex(tool->ImageIndex());
}

void TToolObject::AppendRecord(QByteArray &out, int level) const
{
    AppendRecordWithData(out, level, kTag, {m_toolFile, m_toolArgs});
}

void TToolObject::Launch()
{
    // The record may come from an import, a paste or a web folder: what it starts is
    // only trusted when the user set up that very tool, else the user is asked.
    if (m_toolFile.isEmpty())
        return;
    const QStringList arguments = ToolArguments(m_toolArgs, Value());
    ItemServices &services = Services();
    if (!Context().Tools().IsConfigured(m_toolFile, m_toolArgs) && !services.ConfirmStart(m_toolFile, arguments))
        return;
    services.StartProgram(m_toolFile, arguments, FolderPart(m_toolFile));
}

bool TToolObject::ApplyDialog(const QString &title, const QString &address, const QString &comment)
{
    if (title.isEmpty())
        return false;
    SetTitle(title);
    SetValue(address);
    SetComment(comment);
    return true;
}
