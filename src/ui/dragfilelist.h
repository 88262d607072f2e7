#pragma once

#include "viewstyle.h"

#include <QWidget>

class QMimeData;

class QAbstractItemModel;
class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QStackedLayout;
class QTreeView;
class TListCellDelegate;

// The item list: one model shown as large icons, small icons, a list, or details
// with columns. Accepts files dropped from the desktop.
class TDragFileList : public QWidget
{
    Q_OBJECT
public:
    explicit TDragFileList(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model);
    QItemSelectionModel *selectionModel() const;
    // 1 large icons, 2 small icons, 3 list, 4 details.
    void setViewStyle(ViewStyle style);
    ViewStyle viewStyle() const { return m_style; }
    QAbstractItemView *currentView() const;
    QTreeView *detailsView() const { return m_details; }
    QListView *iconView() const { return m_icons; }
    // Both views, whichever shows.
    QList<QAbstractItemView *> views() const;
    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);

signals:
    void filesDropped(const QStringList &files);
    // Rows of the caller-ID history dropped on the list.
    void callerRowsDropped(const QMimeData *rows);
    void rowDoubleClicked(const QModelIndex &index);
    void contextMenuAt(const QPoint &globalPos);
    void entered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Sizes the icon formats' cells to the names: all rows anew, or rows first to last added.
    void fitCells();
    void growCells(int first, int last);

    TListCellDelegate *m_cells = nullptr;
    QStackedLayout *m_stack = nullptr;
    QListView *m_icons = nullptr;
    QTreeView *m_details = nullptr;
    ViewStyle m_style = ViewStyle::LargeIcons;
};
