#pragma once

#include <QList>
#include <QString>

class TTreeNode;
class TZEBObject;

// What the automation object needs of the program around the tree: the user's selection,
// the find by title, the clipboard, and whether it may act now. The desktop program
// answers from its main window; tests answer with a fake.
class AutomationHost
{
public:
    virtual ~AutomationHost() = default;

    // A modal dialog, a transfer or another long job runs: calls must wait.
    virtual bool Busy() const = 0;

    enum class Pane { Folders, Items, Other };
    // The pane that last had the focus.
    virtual Pane ActivePane() const = 0;
    // The folder tree's selected node, or none.
    virtual TTreeNode *SelectedNode() const = 0;
    // The items of the list's selected rows, in list order.
    virtual QList<TZEBObject *> SelectedItems() const = 0;

    // Whether the main window's find by title is there to run.
    virtual bool CanLocate() const = 0;
    // The find by title: selects the next match after the current place in the panes.
    // False when nothing matched (the selection is then as the find leaves it).
    virtual bool Locate(const QString &title) = 0;

    // Puts text on the clipboard as plain text.
    virtual void SetClipboardText(const QString &text) = 0;
    // Titles of items changed: the folder tree shows them again.
    virtual void TitlesChanged() = 0;
};
