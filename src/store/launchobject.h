#pragma once

#include "zebobject.h"

// Documents and tool addresses: leaf items that start something outside the
// program. They show their own icon, offer only "&Launch" in the list pop-up,
// open by launching, and are edited in their kind's dialog.
class TLaunchObject : public TZEBObject
{
public:
    using TZEBObject::TZEBObject;

    qint32 IconIndex() const { return m_iconIndex; }

    int GetImageIndex() const override { return m_iconIndex; }
    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    void Open() override { Launch(); }
    void Edit() override;

protected:
    void SetIconIndex(qint32 index) { m_iconIndex = index; }

private:
    qint32 m_iconIndex = ImageIndex(Image::Document);
};
