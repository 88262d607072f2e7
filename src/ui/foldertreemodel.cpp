#include "foldertreemodel.h"

#include "itemdrag.h"
#include "comms/callerhistory.h"

#include "imagelist.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

TFolderTreeModel::TFolderTreeModel(TTreeNodes &nodes, const TImageList &images, QObject *parent)
    : QAbstractItemModel(parent), m_nodes(nodes), m_images(images)
{
    connect(&nodes, &TTreeNodes::nodesAboutToBeInserted, this,
            [this](TTreeNode *p, int first, int last) { beginInsertRows(indexOf(p), first, last); });
    connect(&nodes, &TTreeNodes::nodesInserted, this, [this] { endInsertRows(); });
    connect(&nodes, &TTreeNodes::nodesAboutToBeRemoved, this,
            [this](TTreeNode *p, int first, int last) { beginRemoveRows(indexOf(p), first, last); });
    connect(&nodes, &TTreeNodes::nodesRemoved, this, [this] { endRemoveRows(); });
    connect(&nodes, &TTreeNodes::nodeAboutToBeMoved, this,
            [this](TTreeNode *from, int fromRow, TTreeNode *to, int toRow) {
                beginMoveRows(indexOf(from), fromRow, fromRow, indexOf(to), toRow);
            });
    connect(&nodes, &TTreeNodes::nodeMoved, this, [this] { endMoveRows(); });
    connect(&nodes, &TTreeNodes::childrenAboutToBeSorted, this, &TFolderTreeModel::aboutToSort);
    connect(&nodes, &TTreeNodes::childrenSorted, this, &TFolderTreeModel::sorted);
    connect(&nodes, &TTreeNodes::nodeChanged, this, [this](TTreeNode *n) {
        const QModelIndex i = indexOf(n);
        emit dataChanged(i, i);
    });
    connect(&nodes, &TTreeNodes::updateBegun, this, [this] { beginResetModel(); });
    connect(&nodes, &TTreeNodes::updateEnded, this, [this] { endResetModel(); });
}

QModelIndex TFolderTreeModel::indexOf(const TTreeNode *node) const
{
    if (!node)
        return {};
    return createIndex(node->Index(), 0, const_cast<TTreeNode *>(node));
}

TTreeNode *TFolderTreeModel::nodeAt(const QModelIndex &index)
{
    return index.isValid() ? static_cast<TTreeNode *>(index.internalPointer()) : nullptr;
}

bool TFolderTreeModel::CanRename(const TTreeNode *node)
{
    if (!node || node->IsRoot())
        return false;
    return !(node->Item() && node->Item()->InRemote());
}

QModelIndex TFolderTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0)
        return {};
    TTreeNode *child = parent.isValid() ? nodeAt(parent)->Child(row) : m_nodes.Top(row);
    return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex TFolderTreeModel::parent(const QModelIndex &child) const
{
    const TTreeNode *node = nodeAt(child);
    return node ? indexOf(node->Parent()) : QModelIndex();
}

int TFolderTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_nodes.TopCount();
    return parent.column() == 0 ? nodeAt(parent)->Count() : 0;
}

int TFolderTreeModel::columnCount(const QModelIndex &) const { return 1; }

bool TFolderTreeModel::hasChildren(const QModelIndex &parent) const
{
    return parent.isValid() ? nodeAt(parent)->HasChildren() : m_nodes.TopCount() > 0;
}

QVariant TFolderTreeModel::data(const QModelIndex &index, int role) const
{
    const TTreeNode *node = nodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return node->Text();
    case Qt::DecorationRole:
        return m_images.IconWithState(node->ImageIndex(), node->StateIndex());
    case SelectedIconRole:
        return m_images.IconWithState(node->SelectedIndex(), node->StateIndex());
    case NodeRole:
        return QVariant::fromValue(static_cast<void *>(const_cast<TTreeNode *>(node)));
    default:
        return {};
    }
}

bool TFolderTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    TTreeNode *node = nodeAt(index);
    if (role != Qt::EditRole || !CanRename(node))
        return false;
    const QString text = value.toString();
    if (!IsTitleText(text))
        return false;
    // The label takes the typed text even when it differed from the title before.
    if (TZEBObject *item = node->Item())
        item->SetTitle(text);
    node->SetText(text);
    emit nodeRenamed(node);
    return true;
}

Qt::ItemFlags TFolderTreeModel::flags(const QModelIndex &index) const
{
    const TTreeNode *node = nodeAt(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (CanRename(node))
        f |= Qt::ItemIsEditable;
    // Every node but the root can be dragged to another place; any node takes a drop.
    if (!node->IsRoot())
        f |= Qt::ItemIsDragEnabled;
    return f | Qt::ItemIsDropEnabled;
}

QStringList TFolderTreeModel::mimeTypes() const { return {TItemDrag::Format, TCallerRows::Format}; }

bool TFolderTreeModel::canDropMimeData(const QMimeData *data, Qt::DropAction, int, int, const QModelIndex &) const
{
    return data && (TItemDrag::from(data) || data->hasFormat(TCallerRows::Format));
}

bool TFolderTreeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                    const QModelIndex &parent)
{
    TTreeNode *node = nodeAt(parent);
    if (!node || row >= 0 || !dropOnNode || !canDropMimeData(data, action, row, column, parent))
        return false;
    dropOnNode(data, node);
    return true;
}

QMimeData *TFolderTreeModel::mimeData(const QModelIndexList &) const
{
    return new TItemDrag(TItemDrag::Source::Folders);
}

void TFolderTreeModel::aboutToSort(TTreeNode *parent)
{
    emit layoutAboutToBeChanged({indexOf(parent)}, QAbstractItemModel::VerticalSortHint);
    m_sortingFrom.clear();
    m_sortingNodes.clear();
    // Only the direct children change rows; their subtrees keep theirs.
    for (const QModelIndex &i : persistentIndexList()) {
        TTreeNode *n = nodeAt(i);
        if (n && n->Parent() == parent) {
            m_sortingFrom.append(i);
            m_sortingNodes.append(n);
        }
    }
}

void TFolderTreeModel::sorted(TTreeNode *parent)
{
    QModelIndexList to;
    to.reserve(m_sortingNodes.size());
    for (TTreeNode *n : std::as_const(m_sortingNodes))
        to.append(createIndex(n->Index(), 0, n));
    changePersistentIndexList(m_sortingFrom, to);
    m_sortingFrom.clear();
    m_sortingNodes.clear();
    emit layoutChanged({indexOf(parent)}, QAbstractItemModel::VerticalSortHint);
}
