#include "toolrows.h"

#include "imagelist.h"
#include "store/toolitems.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>

void TToolRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->fillRect(opt.rect, opt.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));
    const int iconSize = RowHeight - 2 * IconInset;
    const QPixmap pixmap = opt.icon.pixmap(iconSize, iconSize, selected ? QIcon::Selected : QIcon::Normal);
    painter->drawPixmap(opt.rect.left() + IconInset, opt.rect.top() + IconInset, pixmap);
    painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    const QRect textRect = opt.rect.adjusted(CaptionLeft, 0, 0, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width()));
    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.backgroundColor = opt.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
    }
    painter->restore();
}

QSize TToolRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    return {CaptionLeft + opt.fontMetrics.horizontalAdvance(opt.text) + IconInset, RowHeight};
}

void SetUpToolList(QListWidget *list)
{
    list->setItemDelegate(new TToolRowDelegate(list));
    list->setIconSize(QSize(TToolRowDelegate::RowHeight - 2 * TToolRowDelegate::IconInset,
                            TToolRowDelegate::RowHeight - 2 * TToolRowDelegate::IconInset));
    list->setUniformItemSizes(true);
}

QListWidgetItem *AddToolRow(QListWidget *list, const TToolItem &tool, const TImageList &images)
{
    auto *row = new QListWidgetItem(list);
    ShowToolInRow(row, tool, images);
    return row;
}

void ShowToolInRow(QListWidgetItem *row, const TToolItem &tool, const TImageList &images)
{
    row->setText(tool.Caption());
    row->setIcon(images.Icon(tool.ImageIndex()));
}
