#pragma once

#include "store/itemservices.h"

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
    bool StartProgram(const QString &program, const QString &parameters, const QString &workingDir) override;
    // Hands out image-list indices from nextIconIndex on for the generic image 13.
    int FileIcon(const QString &file, int imageIndex) override;
    int nextIconIndex = 16;
    void ShowHelp(int topic) override { calls << QStringLiteral("help %1").arg(topic); }
    void ShowError(const QString &message) override { errors << message; }
    void ShowInformation(const QString &message) override { infos << message; }
};
