#include "listcells.h"

#include <QAbstractItemModel>
#include <QFontMetrics>

namespace {
// Room around a name: the focus frame's margins on both sides and a gap to the next column.
constexpr int TextPadding = 12;
// Between the small icon and its name.
constexpr int IconGap = 6;
} // namespace

void TListCellDelegate::reset(bool largeIcons)
{
    m_large = largeIcons;
    m_textWidth = 0;
    m_lines = 1;
}

bool TListCellDelegate::measure(const QAbstractItemModel &model, int first, int last, const QFontMetrics &metrics)
{
    const QSize before = cellSize();
    m_lineHeight = metrics.lineSpacing();
    const int wrapWidth = MaxLargeCellWidth - TextPadding;
    for (int row = first; row <= last; ++row) {
        const QString name = model.index(row, 0).data(Qt::DisplayRole).toString();
        const int width = metrics.horizontalAdvance(name);
        if (m_large && width > wrapWidth && m_lines < LargeIconLines) {
            const QRect wrapped = metrics.boundingRect(QRect(0, 0, wrapWidth, m_lineHeight * LargeIconLines),
                                                       Qt::TextWordWrap | Qt::AlignHCenter, name);
            m_lines = qBound(m_lines, wrapped.height() / qMax(1, m_lineHeight), LargeIconLines);
        }
        m_textWidth = qMax(m_textWidth, qMin(width, m_large ? wrapWidth : MaxNameWidth));
    }
    return cellSize() != before;
}

QSize TListCellDelegate::cellSize() const
{
    if (m_large) {
        const int width = qBound(MinLargeCellWidth, m_textWidth + TextPadding, MaxLargeCellWidth);
        return {width, m_largeIcon.height() + 8 + m_lines * m_lineHeight + 4};
    }
    return {m_smallIcon.width() + IconGap + m_textWidth + TextPadding, qMax(m_smallIcon.height(), m_lineHeight) + 4};
}

QSize TListCellDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const { return cellSize(); }
