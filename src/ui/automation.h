#pragma once

#include "exchange/automationhost.h"

#include <QString>
#include <memory>

class AutomationBus;
class AutomationClients;
class QDBusConnection;
class TMainForm;

// What the automation object sees of the main window: its panes' selection, its find,
// whether a dialog, a menu, a label being edited or a transfer holds the program, and
// the clipboard.
class TMainFormAutomationHost : public AutomationHost
{
public:
    explicit TMainFormAutomationHost(TMainForm &form) : m_form(form) {}

    bool Busy() const override;
    Pane ActivePane() const override;
    TTreeNode *SelectedNode() const override;
    QList<TZEBObject *> SelectedItems() const override;
    bool CanLocate() const override;
    bool Locate(const QString &title) override;
    void SetClipboardText(const QString &text) override;
    void TitlesChanged() override;

private:
    TMainForm &m_form;
};

// The desktop program's automation object: one cursor per client on the main window's
// tree, offered on a bus as "MiRa.Application".
class TAutomation
{
public:
    explicit TAutomation(TMainForm &form);
    ~TAutomation();

    // False, with the reason in errorString, when the bus or the name is not to be had;
    // the program runs on without automation then.
    bool Start(const QDBusConnection &bus);
    QString errorString() const;

private:
    TMainFormAutomationHost m_host;
    std::unique_ptr<AutomationClients> m_clients;
    std::unique_ptr<AutomationBus> m_bus;
};
