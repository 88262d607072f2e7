#include "itemmoves.h"

#include "readonlyitem.h"
#include "treenodes.h"
#include "zebobject.h"

namespace ItemMoves {

bool IsWithin(const TTreeNode *target, const TTreeNode *node)
{
    for (const TTreeNode *n = target; n; n = n->Parent())
        if (n == node)
            return true;
    return false;
}

int MoveInto(const QList<TZEBObject *> &items, TTreeNode *target)
{
    TZEBObject *owner = target ? target->Item() : nullptr;
    if (!owner)
        return 0;
    // Items placed in a remote folder would vanish at its next refresh.
    if (owner->IsRemote() || owner->InRemote())
        throw ERemoteParent();
    for (const TZEBObject *item : items)
        if (IsReadOnlyItem(item))
            throw EMoveOutOfRemote();
    int moved = 0;
    for (TZEBObject *item : items) {
        TTreeNode *node = item ? item->Node() : nullptr;
        if (!node)
            continue;
        if (item->IsContainer()) {
            if (node->Item() != item || node->Parent() == target || IsWithin(target, node))
                continue;
            target->Owner()->Move(node, target);
            ++moved;
            continue;
        }
        TZEBObject *from = node->Item();
        if (!from || from == owner)
            continue;
        std::unique_ptr<TZEBObject> holder = from->UnlinkChild(item);
        if (!holder)
            continue;
        owner->AddChild(std::move(holder));
        item->SetNode(target);
        ++moved;
    }
    return moved;
}

} // namespace ItemMoves
