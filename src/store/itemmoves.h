#pragma once

#include <QList>
#include <stdexcept>

class TTreeNode;
class TZEBObject;

// Raised when items would be moved out of a remote folder: its source holds them, so
// they would come back at its next refresh. A copy takes them out.
class EMoveOutOfRemote : public std::runtime_error
{
public:
    EMoveOutOfRemote()
        : std::runtime_error("Items of a remote (read-only) folder cannot be moved out of it; copy them instead")
    {
    }
};

// Moving items to another place in the tree (drag and drop).
namespace ItemMoves {

// Whether target is node itself or lies below it: node can never go there.
bool IsWithin(const TTreeNode *target, const TTreeNode *node);
// Moves the items into target's item: a container's node becomes a child of target, a
// leaf item leaves its owner's children for target's item. A container that would go
// into itself or below itself stays where it is, and so does what is there already.
// A target in (or being) a remote folder raises ERemoteParent, an item in one raises
// EMoveOutOfRemote; nothing moves then. The number of items moved.
int MoveInto(const QList<TZEBObject *> &items, TTreeNode *target);

} // namespace ItemMoves
