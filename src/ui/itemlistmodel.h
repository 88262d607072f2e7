#pragma once

#include <QAbstractTableModel>
#include <vector>

class TTreeNode;
class TZEBObject;
class TImageList;

// The rows of the item list: the child nodes and the leaf items of one node,
// in the panes' order. Columns "Title", "Target" (the item's Value), "Comment".
class TItemListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Roles { ItemRole = Qt::UserRole + 1 };
    enum Columns { TitleColumn, TargetColumn, CommentColumn, ColumnCount };

    TItemListModel(const TImageList &images, QObject *parent = nullptr);

    // Fills the rows for node: its child nodes and its item's leaf items, those
    // not filtered out, sorted. One reset of the model.
    void Rebuild(const TTreeNode *node);
    void Clear();

    TZEBObject *itemAt(int row) const;
    TZEBObject *itemAt(const QModelIndex &index) const { return itemAt(index.row()); }
    int rowOf(const TZEBObject *item) const;
    QString captionAt(int row) const;
    static bool CanRename(const TZEBObject *item);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A row's caption was edited in place (after its item's SetTitle).
    void itemRenamed(TZEBObject *item);

private:
    // What a row shows is copied at the rebuild, so drawing never reaches
    // into an item that a command is busy changing or removing.
    struct Row
    {
        TZEBObject *item;
        QString caption;
        QString target;
        QString comment;
        int image;
        int state;
        bool editable;
    };
    static Row makeRow(TZEBObject *item, const QString &caption, int state);
    void moveToSortedPlace(int from);
    const TImageList &m_images;
    std::vector<Row> m_rows;
};
