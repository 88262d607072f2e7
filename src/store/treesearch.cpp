#include "treesearch.h"

#include "pendingleaves.h"
#include "wordstart.h"
#include "zebobject.h"

TZEBObject *FindLeafByWord(const TZEBObject *item, const WordStart &key)
{
    // Children are either all made or all waiting.
    if (const PendingLeaves *pending = item->Pending(); pending && !PendingHasWordStart(*pending, key))
        return nullptr;
    for (int i = 0, n = item->ChildCount(); i < n; ++i)
        if (TZEBObject *child = item->ChildAt(i); key.Matches(child->Title()))
            return child;
    return nullptr;
}

TitleHit LocateTitle(const TTreeNodes &nodes, const TTreeNode *start, const WordStart &key, const SearchStep &step)
{
    if (key.IsEmpty())
        return {};
    TitleHit hit;
    WalkFrom(nodes, start, [&](TTreeNode *node) {
        if (step && !step())
            return true;
        if (key.Matches(node->Text())) {
            hit = {node, nullptr};
            return true;
        }
        const TZEBObject *item = node->Item();
        if (TZEBObject *leaf = item ? FindLeafByWord(item, key) : nullptr) {
            hit = {node, leaf};
            return true;
        }
        return false;
    });
    return hit;
}
