#pragma once

#include "store/kinds.h"

#include <QString>
#include <functional>

class AutomationClients;
class TTreeNode;
class TZEBObject;

// The automation object of one client: a cursor on the live tree (a current node and a
// current item, the node's own item or one of its children) and the members that read,
// change and walk from it. Starts at the root, "My Contacts".
//
// Every member raises EAutomation when it cannot be done; the reads that the object
// guards (miraID to Child, and UserSelected) give 0, false or an empty text instead.
// Two failures come before any member runs: Busy while a dialog or a long job runs, and
// ItemGone once when the current item has left the tree (deleted, cut, reverted,
// refreshed away); the cursor is then at the root again.
class TMiraApp
{
public:
    explicit TMiraApp(AutomationClients &owner);
    TMiraApp(const TMiraApp &) = delete;
    TMiraApp &operator=(const TMiraApp &) = delete;

    // Methods
    void Insert(int kind, const QString &title, const QString &target, const QString &comment, const QString &data);
    void CopyClipboard();
    // The item's own action (dial, mail, browse...). When started is given it is called
    // once the action is sure to run, before it does: the action may hold a dialog open
    // for long, so the caller answers its client then, and a failure of the action itself
    // is shown to the user instead.
    void DoDefaultAction(const std::function<void()> &started = {});

    // The current item
    int miraID();
    int miraClass();
    QString miraTitle();
    void set_miraTitle(const QString &value);
    QString miraTarget();
    void set_miraTarget(const QString &value);
    QString miraComment();
    void set_miraComment(const QString &value);
    QString miraField(const QString &name);
    void set_miraField(const QString &name, const QString &value);

    // The folder tree's nodes in pre-order, from 0
    int ItemCount();
    bool Items(int index);
    int CurrentItemIndex();
    // The index of the first node after the current node's subtree; ItemCount when the
    // subtree reaches the end, so a loop over siblings always ends.
    int NextSiblingIndex();
    int ChildCount();
    bool Child(int index);

    // The user's selection
    int SelectCount();
    bool UserSelected(int index);
    // Runs the main window's find by title, then makes the selection current. False
    // when nothing was found.
    bool NextItemWithTitle(const QString &title);
    bool ItemWithId(int id);

    // For the owner, which hears what leaves the tree.
    void NodesGoing(const TTreeNode *parent, int first, int last);
    void LeafGoing(const TZEBObject *leaf);
    void MarkSuspect() { m_suspect = true; }

private:
    class Call;
    template <typename Result, typename Read>
    Result guarded(Result fallback, Read read);
    template <typename Act>
    auto run(Act act) -> decltype(act());

    void setCursor(TTreeNode *node, TZEBObject *item);
    void moveToRoot();
    // After a change the cursor may not have seen: finds its node and item in the tree
    // again, comparing addresses only, or puts it back at the root.
    void verify();
    bool userSelected(int index);
    // Raises ReadOnly for an item inside a remote folder or the root.
    void checkWritable() const;

    AutomationClients &m_owner;
    TTreeNode *m_node = nullptr;
    TZEBObject *m_item = nullptr;
    qint32 m_id = 0;
    ItemKind m_kind = ItemKind::Root;
    // Something the cursor points at may have left the tree: nothing is read through
    // the pointers until verify has found them in it.
    bool m_suspect = false;
    // The cursor was put back at the root; the next call says so.
    bool m_lost = false;
};
