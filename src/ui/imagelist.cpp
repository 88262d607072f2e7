#include "imagelist.h"

#include "imagedrawing.h"
#include "store/kinds.h"

#include <QPainter>

namespace {
QIcon iconFor(int index)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(ImageDrawing::KindImage(index, size));
    return icon;
}
} // namespace

TImageList::TImageList()
{
    for (int i = 0; i < BuiltInCount; ++i)
        m_icons.append(iconFor(i));
    m_bullet.addPixmap(ImageDrawing::AlertBullet(11));
}

QIcon TImageList::Icon(int index) const
{
    if (index >= 0 && index < m_icons.size())
        return m_icons[index];
    return m_icons[ImageIndex(Image::Document)];
}

QIcon TImageList::StateIcon(int stateIndex) const
{
    return stateIndex == StateImageIndex(StateImage::Alert) ? m_bullet : QIcon();
}

QIcon TImageList::IconWithState(int index, int stateIndex) const
{
    if (stateIndex != StateImageIndex(StateImage::Alert))
        return Icon(index);
    const int slot = (index >= 0 && index < m_icons.size()) ? index : ImageIndex(Image::Document);
    if (m_alertIcons.size() < m_icons.size())
        m_alertIcons.resize(m_icons.size());
    if (m_alertIcons[slot].isNull()) {
        QIcon combined;
        for (int size : {16, 32}) {
            QPixmap pix = m_icons[slot].pixmap(size, size);
            QPainter p(&pix);
            const int b = size / 2 + 1;
            p.drawPixmap(0, size - b, ImageDrawing::AlertBullet(b));
            combined.addPixmap(pix);
        }
        m_alertIcons[slot] = combined;
    }
    return m_alertIcons[slot];
}

int TImageList::Add(const QIcon &icon)
{
    m_icons.append(icon);
    return int(m_icons.size()) - 1;
}

void TImageList::Replace(int index, const QIcon &icon)
{
    if (index < 0 || index >= m_icons.size())
        return;
    m_icons[index] = icon;
    if (index < m_alertIcons.size())
        m_alertIcons[index] = QIcon();
}
