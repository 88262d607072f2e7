#pragma once

#include <QAbstractTableModel>
#include <vector>

class TTreeNode;
class TTreeNodes;
class TZEBObject;
class TImageList;

// The rows of the item list: the child nodes and the leaf items of one node,
// in the panes' order. Columns "Title", "Target" (the item's Value), "Comment".
// Once filled for a node it follows the tree's notifications: children and leaf
// items that come, go or change under that node reach the rows by themselves.
class TItemListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Roles { ItemRole = Qt::UserRole + 1 };
    enum Columns { TitleColumn, TargetColumn, CommentColumn, ColumnCount };

    TItemListModel(TTreeNodes &nodes, const TImageList &images, QObject *parent = nullptr);

    // Fills the rows for node: its child nodes and its item's leaf items, those
    // not filtered out, sorted. One reset of the model.
    void Rebuild(const TTreeNode *node);
    void Clear();
    // The node whose content the rows show; none after Clear or once it is gone.
    const TTreeNode *shownNode() const { return m_shown; }

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
    // Dragged rows name only their pane: the drop acts on the selected rows.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }

signals:
    // A row's caption was edited in place (after its item's SetTitle).
    void itemRenamed(TZEBObject *item);

private:
    // What a row shows is copied when the row is made or its item reports a change,
    // so drawing never reaches into an item that a command is busy changing or removing.
    struct Row
    {
        TZEBObject *item;
        QString caption;
        QString target;
        QString comment;
        int image;
        int state;
    };
    static Row makeRow(TZEBObject *item, const QString &caption, int state);
    // The row a child node of the shown node makes; a leaf's row.
    static Row nodeRow(const TTreeNode *child);
    static Row leafRow(TZEBObject *leaf);
    void insertSorted(Row row);
    void removeRowOf(const TZEBObject *item);
    void refreshRow(int row, Row fresh);
    void moveToSortedPlace(int from);

    void onNodesInserted(TTreeNode *parent, int first, int last);
    void onNodesAboutToBeRemoved(TTreeNode *parent, int first, int last);
    void onNodeChanged(TTreeNode *node);
    void onItemChanged(TZEBObject *item);
    void onLeafInserted(TTreeNode *node, TZEBObject *leaf);

    const TImageList &m_images;
    const TTreeNode *m_shown = nullptr;
    // Whether the shown node's rows may be renamed in place: all of them or none.
    bool m_editable = false;
    std::vector<Row> m_rows;
};
