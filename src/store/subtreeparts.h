#pragma once

#include "treenodes.h"

#include <vector>

// A piece of a subtree's pre-order: one node alone, or a node with all of its subtree.
struct SubtreePart
{
    const TTreeNode *node;
    bool withSubtree;
    // Its nodes in pre-order.
    template <typename Visit>
    void ForEachNode(Visit visit) const;
};

// A subtree cut in chunks of pieces of about the same number of nodes, in pre-order, so
// that the chunks can be gone through on several threads: a node with a small subtree is
// a piece with all of it, one with a larger subtree a piece alone, its children looked at
// in turn.
class SubtreeParts
{
public:
    // About this many nodes to a chunk of pieces.
    static constexpr int kChunk = 256;
    // At most this many nodes to a piece with its subtree.
    static constexpr int kWhole = 64;

    explicit SubtreeParts(const TTreeNode *top) : m_next(top), m_top(top) {}
    // The next pieces, of kChunk nodes together or a few more, into parts; false, with
    // parts empty, when none are left.
    bool Take(std::vector<SubtreePart> &parts);

private:
    const TTreeNode *m_next;
    const TTreeNode *m_top;
    int m_depth = 0;
};

template <typename Visit>
void SubtreePart::ForEachNode(Visit visit) const
{
    if (!withSubtree) {
        visit(node);
        return;
    }
    int depth = 0;
    for (const TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth))
        visit(n);
}
