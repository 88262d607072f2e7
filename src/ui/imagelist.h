#pragma once

#include "store/kinds.h"

#include <QIcon>
#include <QList>

// The images of the tree and the list, indexed as the kind codes (0 folder ...
// 8 fax, 9 reminder, 10 open folder, 12 root, 13 document, 14 remote folder,
// 15 open remote folder), plus the icons of files added while the program runs.
// State image 1 is the alert bullet.
class TImageList
{
public:
    TImageList();

    int Count() const { return int(m_icons.size()); }
    // The image; an index outside the list gives the generic document image.
    QIcon Icon(int index) const;
    // The image with the state image drawn over its corner (no state: the image).
    QIcon IconWithState(int index, int stateIndex) const;
    QIcon StateIcon(int stateIndex) const;

    int Add(const QIcon &icon);
    void Replace(int index, const QIcon &icon);

    static constexpr int BuiltInCount = ImageIndex(Image::Count);

private:
    QList<QIcon> m_icons;
    QIcon m_bullet;
    mutable QList<QIcon> m_alertIcons;
};
