#pragma once

#include "treenodes.h"

#include <functional>

class TZEBObject;
class WordStart;

// The walk of the main window's searches: every node in pre-order from the one after
// start, wrapping round from the last to the first, so start itself comes last (from the
// first node when there is no start). visit answers whether to stop at a node; the node
// it stopped at is returned, else none. Linear, without recursion.
template <typename Visit>
TTreeNode *WalkFrom(const TTreeNodes &nodes, const TTreeNode *start, Visit visit);

// The first leaf item of item whose title has a word starting with the key, as
// FindChildByWord; leaf records not made yet are made only when one of them is the answer.
TZEBObject *FindLeafByWord(const TZEBObject *item, const WordStart &key);

// Called once for each node a search examines; false stops the search there.
using SearchStep = std::function<bool()>;

// Where the find by title stopped: a node whose own text matched (leaf none), or the
// node whose leaf item did.
struct TitleHit
{
    TTreeNode *node = nullptr;
    TZEBObject *leaf = nullptr;
};

// The find by title: at each node first its text, then its leaf items; nothing for an
// empty text. Leaf records not made yet are read where they lie.
TitleHit LocateTitle(const TTreeNodes &nodes, const TTreeNode *start, const WordStart &key,
                     const SearchStep &step = {});

template <typename Visit>
TTreeNode *WalkFrom(const TTreeNodes &nodes, const TTreeNode *start, Visit visit)
{
    TTreeNode *first = nodes.First();
    if (!first)
        return nullptr;
    const auto after = [first](const TTreeNode *node) {
        TTreeNode *next = node->NextPreorder();
        return next ? next : first;
    };
    TTreeNode *node = start ? after(start) : first;
    for (int seen = 0, count = nodes.Count(); seen < count; ++seen, node = after(node)) {
        if (visit(node))
            return node;
        if (node == start)
            break;
    }
    return nullptr;
}
