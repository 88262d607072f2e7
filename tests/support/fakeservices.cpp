#include "fakeservices.h"

#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>

bool FakeServices::EditItem(TZEBObject &item, bool isNew)
{
    calls << QStringLiteral("edit %1|%2").arg(item.Title(), isNew ? QStringLiteral("new") : QStringLiteral("existing"));
    return onEdit ? onEdit(item, isNew) : editAnswer;
}

void FakeServices::BeginRename(TTreeNode *node)
{
    calls << QStringLiteral("rename %1").arg(node ? node->Text() : QString());
}

void FakeServices::ExpandNode(TTreeNode *node)
{
    calls << QStringLiteral("expand %1").arg(node ? node->Text() : QString());
}

std::optional<qint32> FakeServices::ChooseCategories(qint32 current)
{
    calls << QStringLiteral("categories %1").arg(current);
    return categoriesAnswer;
}

void FakeServices::Dial(const QString &recipient, const QString &number)
{
    calls << QStringLiteral("dial %1|%2").arg(recipient, number);
}

void FakeServices::SendMail(const QString &recipient, const QString &address, const QString &attachment)
{
    calls << QStringLiteral("mail %1|%2|%3").arg(recipient, address, attachment);
}

void FakeServices::SendFax(const QString &recipient, const QString &number, const QString &attachment)
{
    calls << QStringLiteral("fax %1|%2|%3").arg(recipient, number, attachment);
}

void FakeServices::Browse(const QString &url) { calls << QStringLiteral("browse %1").arg(url); }

bool FakeServices::ShellOpen(const QString &file)
{
    calls << QStringLiteral("open %1").arg(file);
    return launchAnswer;
}

namespace {
QString bracketed(const QStringList &arguments)
{
    QString text;
    for (const QString &a : arguments)
        text += u'<' + a + u'>';
    return text;
}
} // namespace

bool FakeServices::StartProgram(const QString &program, const QStringList &arguments, const QString &workingDir)
{
    calls << QStringLiteral("start %1|%2|%3").arg(program, bracketed(arguments), workingDir);
    return launchAnswer;
}

bool FakeServices::ConfirmStart(const QString &program, const QStringList &arguments)
{
    calls << QStringLiteral("confirm %1|%2").arg(program, bracketed(arguments));
    return confirmStartAnswer;
}

int FakeServices::FileIcon(const QString &file, int fallback)
{
    calls << QStringLiteral("icon %1").arg(file);
    if (file.isEmpty())
        return fallback;
    // A program (no suffix) has a picture of its own.
    const QString suffix = QFileInfo(file).suffix();
    const QString key = suffix.isEmpty() ? file : suffix;
    if (!iconBySuffix.contains(key))
        iconBySuffix.insert(key, nextIconIndex++);
    return iconBySuffix.value(key);
}
