#pragma once

#include "store/itemservices.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// Records what items ask of the outside world and answers dialogs as told.
// Installed in a database's context (DatabaseContext::SetServices) by its test.
class FakeServices : public ItemServices
{
public:

    // Answers
    bool editAnswer = true;
    std::function<bool(TZEBObject &, bool)> onEdit;
    std::optional<qint32> categoriesAnswer;
    std::function<bool(qint32)> filter;
    bool launchAnswer = true;
    // The user's answer when a program that is no configured tool would start.
    bool confirmStartAnswer = false;

    // What was asked, one line per call: "dial Kim|555-0100" and so on.
    QStringList calls;
    QStringList errors;
    QStringList infos;

    bool EditItem(TZEBObject &item, bool isNew) override;
    void BeginRename(TTreeNode *node) override;
    void ExpandNode(TTreeNode *node) override;
    std::optional<qint32> ChooseCategories(qint32 current) override;
    bool IsFilteredOut(qint32 categories) const override { return filter && filter(categories); }
    void Dial(const QString &recipient, const QString &number) override;
    void SendMail(const QString &recipient, const QString &address, const QString &attachment) override;
    void SendFax(const QString &recipient, const QString &number, const QString &attachment) override;
    void Browse(const QString &url) override;
    bool ShellOpen(const QString &file) override;
    // Recorded as "start program|<arg1><arg2>|workingDir".
    bool StartProgram(const QString &program, const QStringList &arguments, const QString &workingDir) override;
    bool ConfirmStart(const QString &program, const QStringList &arguments) override;
    // Hands out image-list indices from nextIconIndex on, one per file-name suffix
    // (files of a type share their picture) and one per file without a suffix (a
    // program's own); an empty name has none.
    int FileIcon(const QString &file, int fallback) override;
    QHash<QString, int> iconBySuffix;
    int nextIconIndex = 16;
    void ShowHelp(int topic) override { calls << QStringLiteral("help %1").arg(topic); }
    void ShowError(const QString &message) override { errors << message; }
    void ShowInformation(const QString &message) override { infos << message; }
};
