#include "launchobject.h"

#include "itemservices.h"

PopupVisibility TLaunchObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.Launch = true;
    return v;
}

bool TLaunchObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TLaunchObject::Edit() { Services().EditItem(*this, false); }
