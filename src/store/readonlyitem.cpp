#include "readonlyitem.h"

#include "treenodes.h"
#include "zebobject.h"

bool IsReadOnlyItem(const TZEBObject *item)
{
    if (!item)
        return false;
    if (item->InRemote())
        return true;
    const TTreeNode *owner = item->Node();
    const TZEBObject *ownerItem = owner ? owner->Item() : nullptr;
    return ownerItem && ownerItem != item && (ownerItem->IsRemote() || ownerItem->InRemote());
}
