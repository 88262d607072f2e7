#pragma once

#include <QStyledItemDelegate>

class QListWidget;
class QListWidgetItem;
class TImageList;
class TToolItem;

// The rows of the tool lists (the Tools dialog and the options' Tools Menu page):
// 36 pixels high, the tool's icon 2 pixels in from the row's left and top edges, its
// caption from 36 pixels on, a selected row in the selection colours.
class TToolRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 36;
    static constexpr int IconInset = 2;
    static constexpr int CaptionLeft = 36;

    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// Makes list draw its rows as tool rows.
void SetUpToolList(QListWidget *list);
// Appends a row showing the tool.
QListWidgetItem *AddToolRow(QListWidget *list, const TToolItem &tool, const TImageList &images);
// Shows the tool's caption and icon again in its row.
void ShowToolInRow(QListWidgetItem *row, const TToolItem &tool, const TImageList &images);
