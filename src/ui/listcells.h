#pragma once

#include "titleedit.h"

class QAbstractItemModel;
class QFontMetrics;

// The cells of the item list's icon and list formats. Every cell has the size
// the widest name needs, up to a cap beyond which names are elided, so no name
// is cut short because a shorter one happens to be measured. The view asks every
// row for its size; answering with one kept size keeps large folders quick.
class TListCellDelegate : public TTitleEditDelegate
{
    Q_OBJECT
public:
    // Widest name shown whole in the list formats, and the range of the large icons'
    // cell width, in which names wrap onto at most LargeIconLines lines.
    static constexpr int MaxNameWidth = 300;
    static constexpr int MinLargeCellWidth = 96;
    static constexpr int MaxLargeCellWidth = 150;
    static constexpr int LargeIconLines = 3;

    using TTitleEditDelegate::TTitleEditDelegate;

    // Starts measuring again for a list shown with large icons or not.
    void reset(bool largeIcons);
    // Takes rows first to last of column 0 into the measure; true when the cell grew.
    bool measure(const QAbstractItemModel &model, int first, int last, const QFontMetrics &metrics);
    QSize cellSize() const;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    bool m_large = true;
    int m_textWidth = 0; // widest name, capped
    int m_lines = 1;     // lines of the tallest wrapped name (large icons)
    int m_lineHeight = 0;
    QSize m_smallIcon{16, 16};
    QSize m_largeIcon{32, 32};
};
