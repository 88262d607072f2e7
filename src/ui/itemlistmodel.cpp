#include "itemlistmodel.h"

#include "itemdrag.h"

#include "imagelist.h"
#include "store/databasecontext.h"
#include "store/itemservices.h"
#include "store/kinds.h"
#include "store/readonlyitem.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <algorithm>
#include <unordered_set>

namespace {
bool readOnly(const TZEBObject *item) { return item && (item->IsRemote() || item->InRemote()); }
} // namespace

TItemListModel::TItemListModel(TTreeNodes &nodes, const TImageList &images, QObject *parent)
    : QAbstractTableModel(parent), m_images(images)
{
    connect(&nodes, &TTreeNodes::nodesInserted, this, &TItemListModel::onNodesInserted);
    connect(&nodes, &TTreeNodes::nodesAboutToBeRemoved, this, &TItemListModel::onNodesAboutToBeRemoved);
    connect(&nodes, &TTreeNodes::nodeChanged, this, &TItemListModel::onNodeChanged);
    connect(&nodes, &TTreeNodes::itemChanged, this, &TItemListModel::onItemChanged);
    connect(&nodes, &TTreeNodes::leafInserted, this, &TItemListModel::onLeafInserted);
    connect(&nodes, &TTreeNodes::leafAboutToBeRemoved, this,
            [this](TTreeNode *node, TZEBObject *leaf) {
                if (node == m_shown)
                    removeRowOf(leaf);
            });
    // A batch change replaces what it likes; whoever shows a node fills the list again after it.
    connect(&nodes, &TTreeNodes::updateBegun, this, &TItemListModel::Clear);
}

TItemListModel::Row TItemListModel::makeRow(TZEBObject *item, const QString &caption, int state)
{
    if (!item)
        return {nullptr, caption, QString(), QString(), ImageIndex(Image::Folder), state};
    return {item, caption, item->Value(), item->Comment(), item->GetImageIndex(), state};
}

TItemListModel::Row TItemListModel::nodeRow(const TTreeNode *child)
{
    return makeRow(child->Item(), child->Text(), child->StateIndex());
}

TItemListModel::Row TItemListModel::leafRow(TZEBObject *leaf) { return makeRow(leaf, leaf->Title(), StateImageIndex(StateImage::None)); }

void TItemListModel::Rebuild(const TTreeNode *node)
{
    beginResetModel();
    m_rows.clear();
    m_shown = node;
    m_editable = false;
    if (node) {
        const TZEBObject *owner = node->Item();
        m_editable = !readOnly(owner);
        m_rows.reserve(size_t(node->Count() + (owner ? owner->ChildCount() : 0)));
        for (int i = 0; i < node->Count(); ++i) {
            const TTreeNode *child = node->Child(i);
            if (child->Item() && child->Item()->IsFilteredOut())
                continue;
            m_rows.push_back(nodeRow(child));
        }
        if (owner) {
            for (int i = 0; i < owner->ChildCount(); ++i) {
                TZEBObject *item = owner->ChildAt(i);
                if (!item->IsFilteredOut())
                    m_rows.push_back(leafRow(item));
            }
        }
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const Row &a, const Row &b) { return CompareItems(a.item, b.item) < 0; });
    }
    endResetModel();
}

void TItemListModel::Clear()
{
    beginResetModel();
    m_rows.clear();
    m_shown = nullptr;
    endResetModel();
}

void TItemListModel::insertSorted(Row row)
{
    // After every equal entry, as a rebuild's stable sort would place it.
    const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), row,
                                     [](const Row &a, const Row &b) { return CompareItems(a.item, b.item) < 0; });
    const int r = int(at - m_rows.begin());
    beginInsertRows({}, r, r);
    m_rows.insert(at, std::move(row));
    endInsertRows();
}

void TItemListModel::removeRowOf(const TZEBObject *item)
{
    const int r = rowOf(item);
    if (r < 0)
        return;
    beginRemoveRows({}, r, r);
    m_rows.erase(m_rows.begin() + r);
    endRemoveRows();
}

void TItemListModel::refreshRow(int row, Row fresh)
{
    m_rows[size_t(row)] = std::move(fresh);
    emit dataChanged(index(row, TitleColumn), index(row, CommentColumn));
    moveToSortedPlace(row);
}

void TItemListModel::onNodesInserted(TTreeNode *parent, int first, int last)
{
    if (!m_shown || parent != m_shown)
        return;
    for (int i = first; i <= last; ++i) {
        const TTreeNode *child = parent->Child(i);
        if (!(child->Item() && child->Item()->IsFilteredOut()))
            insertSorted(nodeRow(child));
    }
}

void TItemListModel::onNodesAboutToBeRemoved(TTreeNode *parent, int first, int last)
{
    if (!m_shown)
        return;
    if (parent == m_shown) {
        if (first == last) {
            removeRowOf(parent->Child(first)->Item());
            return;
        }
        std::unordered_set<const TZEBObject *> going;
        for (int i = first; i <= last; ++i)
            going.insert(parent->Child(i)->Item());
        beginResetModel();
        std::erase_if(m_rows, [&](const Row &r) { return going.count(r.item) != 0; });
        endResetModel();
        return;
    }
    // The shown node itself goes when it lies in one of the subtrees that go.
    for (const TTreeNode *n = m_shown; n; n = n->Parent()) {
        if (n->Parent() == parent && n->Index() >= first && n->Index() <= last) {
            Clear();
            return;
        }
    }
}

void TItemListModel::onNodeChanged(TTreeNode *node)
{
    if (!m_shown)
        return;
    if (node == m_shown) {
        // A folder that became remote or local again makes its rows read-only or writable.
        const bool editable = !readOnly(node->Item());
        if (editable == m_editable)
            return;
        m_editable = editable;
        if (!m_rows.empty())
            emit dataChanged(index(0, TitleColumn), index(rowCount() - 1, CommentColumn));
        return;
    }
    if (node->Parent() != m_shown)
        return;
    const int r = rowOf(node->Item());
    if (r >= 0)
        refreshRow(r, nodeRow(node));
}

void TItemListModel::onItemChanged(TZEBObject *item)
{
    if (!m_shown || !item->Node())
        return;
    TTreeNode *node = item->Node();
    const bool container = node->Item() == item;
    if (container ? node->Parent() != m_shown : node != m_shown)
        return;
    const int r = rowOf(item);
    if (r >= 0)
        refreshRow(r, container ? nodeRow(node) : leafRow(item));
}

void TItemListModel::onLeafInserted(TTreeNode *node, TZEBObject *leaf)
{
    // The leaf is announced before it knows its node, so the filter is asked through the tree.
    if (m_shown && node == m_shown && !node->Owner()->Context().Services().IsFilteredOut(leaf->Categories()))
        insertSorted(leafRow(leaf));
}

TZEBObject *TItemListModel::itemAt(int row) const
{
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)].item : nullptr;
}

int TItemListModel::rowOf(const TZEBObject *item) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].item == item)
            return int(i);
    return -1;
}

QString TItemListModel::captionAt(int row) const
{
    return row >= 0 && size_t(row) < m_rows.size() ? m_rows[size_t(row)].caption : QString();
}

bool TItemListModel::CanRename(const TZEBObject *item)
{
    return item && !IsReadOnlyItem(item);
}

int TItemListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TItemListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TItemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_rows.size())
        return {};
    const Row &row = m_rows[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case TitleColumn:
            return row.caption;
        case TargetColumn:
            return row.target;
        case CommentColumn:
            return row.comment;
        }
        return {};
    case Qt::DecorationRole:
        if (index.column() == TitleColumn)
            return m_images.IconWithState(row.image, row.state);
        return {};
    case ItemRole:
        return QVariant::fromValue(static_cast<void *>(row.item));
    default:
        return {};
    }
}

QVariant TItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case TitleColumn:
        return tr("Title");
    case TargetColumn:
        return tr("Target");
    case CommentColumn:
        return tr("Comment");
    }
    return {};
}

bool TItemListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || index.column() != TitleColumn || !m_editable)
        return false;
    TZEBObject *item = itemAt(index);
    if (!item || !IsTitleText(value.toString()))
        return false;
    // The row follows the item's change notice, re-sorted as a rebuild would place it.
    item->SetTitle(value.toString());
    emit itemRenamed(item);
    return true;
}

void TItemListModel::moveToSortedPlace(int from)
{
    const auto less = [](const Row &a, const Row &b) { return CompareItems(a.item, b.item) < 0; };
    const Row &moving = m_rows[size_t(from)];
    // Its place among the others: the rows before it and after it are in order.
    int to = from;
    if (from > 0 && less(moving, m_rows[size_t(from - 1)]))
        to = int(std::upper_bound(m_rows.begin(), m_rows.begin() + from, moving, less) - m_rows.begin());
    else if (size_t(from) + 1 < m_rows.size() && less(m_rows[size_t(from + 1)], moving))
        to = int(std::upper_bound(m_rows.begin() + from + 1, m_rows.end(), moving, less) - m_rows.begin()) - 1;
    if (to == from)
        return;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    Row row = std::move(m_rows[size_t(from)]);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(row));
    endMoveRows();
}

Qt::ItemFlags TItemListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren | Qt::ItemIsDragEnabled;
    if (index.column() == TitleColumn && m_editable && size_t(index.row()) < m_rows.size() && m_rows[size_t(index.row())].item)
        f |= Qt::ItemIsEditable;
    return f;
}

QStringList TItemListModel::mimeTypes() const { return {TItemDrag::Format}; }

QMimeData *TItemListModel::mimeData(const QModelIndexList &) const
{
    return new TItemDrag(TItemDrag::Source::MainItems);
}
