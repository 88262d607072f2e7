#pragma once

#include "databasecontext.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class TZEBObject;
class TTreeNodes;

// One node of the folder tree: the node of a container item. Owns its item and
// its child nodes; children are always kept in the folder order (see CompareItems).
class TTreeNode
{
public:
    ~TTreeNode();
    TTreeNode(const TTreeNode &) = delete;
    TTreeNode &operator=(const TTreeNode &) = delete;

    const QString &Text() const;
    void SetText(const QString &text);
    int ImageIndex() const { return m_image; }
    int SelectedIndex() const { return m_selectedImage; }
    int StateIndex() const { return m_state; }
    void SetImageIndex(int index);
    void SetSelectedIndex(int index);
    void SetStateIndex(int index);

    TZEBObject *Item() const { return m_item.get(); }
    TTreeNode *Parent() const { return m_parent; }
    TTreeNodes *Owner() const { return m_owner; }
    int Count() const { return int(m_children.size()); }
    bool HasChildren() const { return !m_children.empty(); }
    TTreeNode *Child(int index) const;
    // Position among the parent's children; 0 for a top node.
    int Index() const { return m_row; }
    // Depth in the tree: 0 for a top node.
    int Level() const;
    bool IsRoot() const { return m_parent == nullptr; }
    // Last node of this node's subtree in pre-order (itself when it has no children).
    TTreeNode *LastDescendant();
    // Next node in pre-order, or none.
    TTreeNode *NextPreorder() const;
    // The same, keeping depth in step: one more when it goes down to a child, less by
    // the levels climbed when it goes on after the subtree. Walks that need each node's
    // depth keep it this way instead of asking Level() of every node.
    TTreeNode *NextPreorder(int &depth) const;
    // The first node after this node's subtree in pre-order, or none; depth as above.
    TTreeNode *NextAfterSubtree(int &depth) const;
    // Number of nodes in the subtree, this one included.
    int SubtreeCount() const;

    // Moves one child to its sorted place after its title changed.
    void RepositionChild(TTreeNode *child);
    // Sorts all children.
    void SortChildren();

    // What the folder order compares first: a kept copy, so sorting a large folder need
    // not visit every item and title again.
    struct SortKey
    {
        bool other = false; // not a folder
        quint64 first = 0;
        quint64 second = 0;
        auto operator<=>(const SortKey &) const = default;
    };
    SortKey Key() const { return {m_keyOther, m_keyFirst, m_keySecond}; }

private:
    friend class TTreeNodes;
    friend class TZEBObject;
    TTreeNode(TTreeNodes *owner, TTreeNode *parent, std::unique_ptr<TZEBObject> item, const QString &text);
    void renumberFrom(int first);
    // Takes every node below this one out of the tree and destroys them, children before
    // their parents, without a call per level (a chain may be far deeper than the stack).
    void destroyDescendants();
    void updateSortKey();
    // The item's title changed from the text the node showed: the node shows the new one.
    void followTitle(bool changed);
    int sortedInsertPosition(const TTreeNode *node) const;

    TTreeNodes *m_owner;
    TTreeNode *m_parent;
    std::unique_ptr<TZEBObject> m_item;
    // Nearly every node shows its item's title: only a text of its own is kept (a large
    // database holds many thousand nodes).
    std::unique_ptr<QString> m_ownText;
    int m_image = 0;
    int m_selectedImage = 0;
    int m_state = -1;
    int m_row = 0;
    // Where the node waits in its owner's list of parents to sort at the end of an
    // update, or -1.
    int m_unsortedAt = -1;
    bool m_keyOther = false; // the SortKey's parts, packed beside the other members
    quint64 m_keyFirst = 0;
    quint64 m_keySecond = 0;
    std::vector<std::unique_ptr<TTreeNode>> m_children;
};

// The node collection of the folder tree, with change notifications for the views:
// nodes coming, going, moving and changing, and the leaf items of the nodes' items
// coming, going and changing. Between BeginUpdate and EndUpdate none of these are
// sent: new children are appended, and EndUpdate sorts the touched parents and
// announces a reset.
class TTreeNodes : public QObject
{
    Q_OBJECT
public:
    explicit TTreeNodes(QObject *parent = nullptr);
    ~TTreeNodes() override;

    TTreeNode *AddTop(std::unique_ptr<TZEBObject> item, const QString &text);
    TTreeNode *AddChild(TTreeNode *parent, std::unique_ptr<TZEBObject> item, const QString &text);
    // Deletes the node, its subtree and their items.
    void Delete(TTreeNode *node);
    void DeleteChildren(TTreeNode *node);
    // Moves a node (with its subtree) under another parent; never into itself or below
    // itself. The alert marks of the old and new ancestors follow, and so does the
    // read-only mark of everything it carries when it enters or leaves a remote folder.
    void Move(TTreeNode *node, TTreeNode *newParent);
    void Clear();

    int TopCount() const { return int(m_top.size()); }
    TTreeNode *Top(int index) const;
    TTreeNode *First() const { return m_top.empty() ? nullptr : m_top.front().get(); }
    int Count() const { return m_count; }

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_updateDepth > 0; }

    // What the items of this tree reach beyond it (services, today, tools...).
    DatabaseContext &Context() { return m_context; }
    const DatabaseContext &Context() const { return m_context; }
    // Whether a remote folder was ever placed in this tree: while none was, walks that
    // look for them have nothing to find.
    bool MayHoldRemote() const { return m_mayHoldRemote; }

signals:
    void nodesAboutToBeInserted(TTreeNode *parent, int first, int last);
    void nodesInserted(TTreeNode *parent, int first, int last);
    void nodesAboutToBeRemoved(TTreeNode *parent, int first, int last);
    void nodesRemoved(TTreeNode *parent, int first, int last);
    void nodeAboutToBeMoved(TTreeNode *fromParent, int fromRow, TTreeNode *toParent, int toRow);
    void nodeMoved(TTreeNode *node);
    void childrenAboutToBeSorted(TTreeNode *parent);
    void childrenSorted(TTreeNode *parent);
    void nodeChanged(TTreeNode *node);
    // An item placed in the tree changed what the panes show of it (title, value,
    // comment). For a container, nodeChanged follows its node's own changes.
    void itemChanged(TZEBObject *item);
    // A leaf item joined or is about to leave the children of node's item.
    void leafInserted(TTreeNode *node, TZEBObject *leaf);
    void leafAboutToBeRemoved(TTreeNode *node, TZEBObject *leaf);
    void updateBegun();
    void updateEnded();

private:
    friend class TTreeNode;
    friend class TZEBObject;
    // What the items report; nothing is sent during an update or the tree's end.
    void changedItem(TZEBObject *item);
    void insertedLeaf(TTreeNode *node, TZEBObject *leaf);
    void removingLeaf(TTreeNode *node, TZEBObject *leaf);
    TTreeNode *insert(TTreeNode *parent, std::unique_ptr<TTreeNode> node);
    std::unique_ptr<TTreeNode> detach(TTreeNode *node);
    void changed(TTreeNode *node);

    DatabaseContext m_context; // first: it outlives every item
    std::vector<std::unique_ptr<TTreeNode>> m_top;
    int m_count = 0;
    int m_updateDepth = 0;
    // Parents whose children EndUpdate sorts, each once (its m_unsortedAt); a destroyed
    // one leaves a null behind. A mark on the node instead of a set: a load of persons
    // with websites alternates between parents at every record.
    std::vector<TTreeNode *> m_unsorted;
    void markUnsorted(TTreeNode *parent);
    bool m_destroying = false;
    bool m_mayHoldRemote = false;
};

// Binds node's item, the items below it and their leaf items to their nodes again, so
// each works out its read-only mark anew (parents first, as the walk goes).
void PlaceAgain(TTreeNode *node);
