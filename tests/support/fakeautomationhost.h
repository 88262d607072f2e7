#pragma once

#include "exchange/automationhost.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QStringList>
#include <functional>
#include <utility>

// The program around the automation object, as a test sets it: the selection, a busy
// flag, and a find that selects the first node whose title contains the text.
class FakeAutomationHost : public AutomationHost
{
public:
    bool busy = false;
    Pane pane = Pane::Folders;
    TTreeNode *selectedNode = nullptr;
    QList<TZEBObject *> selectedItems;
    bool canLocate = true;
    TTreeNodes *nodes = nullptr; // searched by Locate
    QStringList located;
    QString clipboard;
    int titlesChanged = 0;
    // Runs inside the next member that reaches the host, as a dialog's own loop would.
    std::function<void()> during;

    bool Busy() const override { return busy; }
    Pane ActivePane() const override { return pane; }
    TTreeNode *SelectedNode() const override { return selectedNode; }
    QList<TZEBObject *> SelectedItems() const override
    {
        if (during)
            std::exchange(const_cast<FakeAutomationHost *>(this)->during, nullptr)();
        return selectedItems;
    }
    bool CanLocate() const override { return canLocate; }
    bool Locate(const QString &title) override
    {
        located << title;
        for (TTreeNode *n = nodes ? nodes->First() : nullptr; n; n = n->NextPreorder())
            if (n->Item()->Title().contains(title, Qt::CaseInsensitive)) {
                selectedNode = n;
                selectedItems.clear();
                pane = Pane::Folders;
                return true;
            }
        return false;
    }
    void SetClipboardText(const QString &text) override { clipboard = text; }
    void TitlesChanged() override { ++titlesChanged; }
};
