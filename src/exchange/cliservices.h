#pragma once

#include "store/itemservices.h"

#include <QStringList>

// Item services for a program without windows: dialogs are cancelled, nothing is
// dialled or sent, no category filter applies, and messages are collected for the
// caller to print. Installed for the life of the object.
class CliServices : public ItemServices
{
public:
    CliServices() { SetItemServices(this); }
    ~CliServices() override { SetItemServices(nullptr); }
    CliServices(const CliServices &) = delete;
    CliServices &operator=(const CliServices &) = delete;

    QStringList messages;

    bool EditItem(TZEBObject &, bool) override { return false; }
    void BeginRename(TTreeNode *) override {}
    void ExpandNode(TTreeNode *) override {}
    std::optional<qint32> ChooseCategories(qint32) override { return std::nullopt; }
    bool IsFilteredOut(qint32) const override { return false; }
    void Dial(const QString &, const QString &) override {}
    void SendMail(const QString &, const QString &, const QString &) override {}
    void SendFax(const QString &, const QString &, const QString &) override {}
    void Browse(const QString &) override {}
    bool ShellOpen(const QString &) override { return false; }
    bool StartProgram(const QString &, const QString &, const QString &) override { return false; }
    void ShowError(const QString &message) override { messages << message; }
    void ShowInformation(const QString &message) override { messages << message; }
};
