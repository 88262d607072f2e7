#include "itemlistmodel.h"

#include "imagelist.h"
#include "store/kinds.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <algorithm>

TItemListModel::TItemListModel(const TImageList &images, QObject *parent)
    : QAbstractTableModel(parent), m_images(images)
{
}

TItemListModel::Row TItemListModel::makeRow(TZEBObject *item, const QString &caption, int state)
{
    if (!item)
        return {nullptr, caption, QString(), QString(), Kinds::Folder, state, false};
    return {item, caption, item->Value(), item->Comment(), item->GetImageIndex(), state, CanRename(item)};
}

void TItemListModel::Rebuild(const TTreeNode *node)
{
    beginResetModel();
    m_rows.clear();
    if (node) {
        const TZEBObject *owner = node->Item();
        m_rows.reserve(size_t(node->Count() + (owner ? owner->ChildCount() : 0)));
        for (int i = 0; i < node->Count(); ++i) {
            const TTreeNode *child = node->Child(i);
            TZEBObject *item = child->Item();
            if (item && item->IsFilteredOut())
                continue;
            m_rows.push_back(makeRow(item, child->Text(), child->StateIndex()));
        }
        if (owner) {
            for (int i = 0; i < owner->ChildCount(); ++i) {
                TZEBObject *item = owner->ChildAt(i);
                if (item->IsFilteredOut())
                    continue;
                m_rows.push_back(makeRow(item, item->Title(), Images::NoState));
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
    endResetModel();
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
    if (!item || item->InRemote())
        return false;
    // A leaf lying directly in a remote folder is read-only too, though its
    // InRemote mark (taken from its owner's owner) does not say so.
    const TTreeNode *owner = item->Node();
    const TZEBObject *ownerItem = owner ? owner->Item() : nullptr;
    if (ownerItem && ownerItem != item && (ownerItem->IsRemote() || ownerItem->InRemote()))
        return false;
    return true;
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
        return QStringLiteral("Title");
    case TargetColumn:
        return QStringLiteral("Target");
    case CommentColumn:
        return QStringLiteral("Comment");
    }
    return {};
}

bool TItemListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || index.column() != TitleColumn)
        return false;
    TZEBObject *item = itemAt(index);
    if (!item || !m_rows[size_t(index.row())].editable)
        return false;
    Row &row = m_rows[size_t(index.row())];
    row.caption = value.toString();
    item->SetTitle(row.caption);
    emit dataChanged(index, index.siblingAtColumn(CommentColumn));
    moveToSortedPlace(index.row());
    emit itemRenamed(item);
    return true;
}

void TItemListModel::moveToSortedPlace(int from)
{
    // The list keeps the panes' order after a rename, as a rebuild would.
    const auto less = [](const Row &a, const Row &b) { return CompareItems(a.item, b.item) < 0; };
    Row moving = m_rows[size_t(from)];
    auto rest = m_rows;
    rest.erase(rest.begin() + from);
    const int to = int(std::upper_bound(rest.begin(), rest.end(), moving, less) - rest.begin());
    if (to == from)
        return;
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(moving));
    endMoveRows();
}

Qt::ItemFlags TItemListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == TitleColumn && size_t(index.row()) < m_rows.size() && m_rows[size_t(index.row())].editable)
        f |= Qt::ItemIsEditable;
    return f;
}
