#pragma once

#include <QObject>
#include <QPointer>
#include <unordered_map>
#include <vector>

class TTreeNode;
class TTreeNodes;

// The folder tree's nodes by their place in pre-order (0 is the first top node), kept
// for callers that walk the tree by number: built in one walk when first asked and
// dropped whenever a node comes, goes or moves, so a walk over every index stays linear.
class TreeIndex : public QObject
{
    Q_OBJECT
public:
    explicit TreeIndex(TTreeNodes &nodes, QObject *parent = nullptr);

    int Count() const;
    // The node at index, or none outside 0 to Count() - 1.
    TTreeNode *At(int index);
    // The node's index, or -1 when it is not in the tree.
    int IndexOf(const TTreeNode *node);

private:
    void drop();
    void buildOrder();

    QPointer<TTreeNodes> m_nodes;
    std::vector<TTreeNode *> m_order;
    bool m_orderValid = false;
    std::unordered_map<const TTreeNode *, int> m_positions;
    bool m_positionsValid = false;
};
