#pragma once

#include <QAbstractItemModel>
#include <functional>

class TTreeNodes;
class TTreeNode;
class TImageList;

// Shows the folder tree's nodes in a view; follows the nodes' change signals.
// Node order is the store's own (children are kept sorted there).
class TFolderTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Roles { NodeRole = Qt::UserRole + 1, SelectedIconRole };

    TFolderTreeModel(TTreeNodes &nodes, const TImageList &images, QObject *parent = nullptr);

    QModelIndex indexOf(const TTreeNode *node) const;
    static TTreeNode *nodeAt(const QModelIndex &index);
    // Whether the node's label may be edited in place.
    static bool CanRename(const TTreeNode *node);

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A dragged node names only its pane: the drop moves the selected node.
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction; }
    // Entries dragged within the window and calls from the caller-ID history may be
    // dropped on a node; what the drop does is the main window's (dropOnNode).
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    std::function<void(const QMimeData *, TTreeNode *)> dropOnNode;

signals:
    // A node was renamed in place (after its item's SetTitle).
    void nodeRenamed(TTreeNode *node);

private:
    void aboutToSort(TTreeNode *parent);
    void sorted(TTreeNode *parent);

    TTreeNodes &m_nodes;
    const TImageList &m_images;
    // Persistent indexes below the parent being sorted, by node.
    QModelIndexList m_sortingFrom;
    QList<TTreeNode *> m_sortingNodes;
};
