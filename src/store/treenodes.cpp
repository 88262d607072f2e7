#include "treenodes.h"

#include "kinds.h"
#include "zebobject.h"

#include <algorithm>

namespace {
// Title characters from..from+3 folded as CompareTitles folds them, 0 past the end, in
// one number that orders as they do.
quint64 foldedChars(const QString &title, qsizetype from)
{
    quint64 packed = 0;
    for (qsizetype i = from; i < from + 4; ++i) {
        char16_t c = i < title.size() ? title[i].unicode() : 0;
        if (c >= 'a' && c <= 'z')
            c -= 32;
        packed = packed << 16 | c;
    }
    return packed;
}

bool nodeLess(const std::unique_ptr<TTreeNode> &a, const std::unique_ptr<TTreeNode> &b)
{
    return CompareItems(a->Item(), b->Item()) < 0;
}
// Sorts nodes into the folder order by the keys they keep: comparing through each
// node's item and title costs several cache misses per step on a large folder.
// Returns false when nothing had to move.
bool sortNodes(std::vector<std::unique_ptr<TTreeNode>> &nodes)
{
    if (nodes.size() < 2)
        return false;
    // The next eight title characters too, read once per node: titles that share their
    // first eight (numbered names, a common first word) are then seldom compared in full.
    struct Key
    {
        TTreeNode::SortKey key;
        quint64 third;
        quint64 fourth;
        const TZEBObject *item;
        size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(nodes.size());
    for (size_t i = 0; i < nodes.size(); ++i) {
        const TZEBObject *item = nodes[i]->Item();
        if (!item) { // no key to sort by: compared the slow way
            if (std::is_sorted(nodes.begin(), nodes.end(), nodeLess))
                return false;
            std::stable_sort(nodes.begin(), nodes.end(), nodeLess);
            return true;
        }
        const QString &title = item->Title();
        keys.push_back({nodes[i]->Key(), foldedChars(title, 8), foldedChars(title, 12), item, i});
    }
    const auto less = [](const Key &a, const Key &b) {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.third != b.third)
            return a.third < b.third;
        if (a.fourth != b.fourth)
            return a.fourth < b.fourth;
        return CompareItems(a.item, b.item) < 0;
    };
    if (std::is_sorted(keys.begin(), keys.end(), less))
        return false;
    std::stable_sort(keys.begin(), keys.end(), less);
    std::vector<std::unique_ptr<TTreeNode>> sorted;
    sorted.reserve(nodes.size());
    for (const Key &k : keys)
        sorted.push_back(std::move(nodes[k.index]));
    nodes = std::move(sorted);
    return true;
}

// Whether the last of nodes, just appended, keeps them in the folder order (as sortNodes
// orders them). A load appends each folder's children in the order they were saved in:
// each is compared with the one before while both are fresh in the cache, and a folder
// that stays in order need not be sorted at the end of the update.
bool appendedInOrder(const std::vector<std::unique_ptr<TTreeNode>> &nodes)
{
    if (nodes.size() < 2)
        return true;
    const TTreeNode *before = nodes[nodes.size() - 2].get();
    const TTreeNode *last = nodes.back().get();
    if (!before->Item() || !last->Item())
        return false;
    if (before->Key() != last->Key())
        return before->Key() < last->Key();
    return CompareItems(before->Item(), last->Item()) <= 0;
}

} // namespace

TTreeNode::TTreeNode(TTreeNodes *owner, TTreeNode *parent, std::unique_ptr<TZEBObject> item, const QString &text)
    : m_owner(owner), m_parent(parent), m_item(std::move(item))
{
    if (text != Text())
        m_ownText = std::make_unique<QString>(text);
    // The item knows its node before anyone hears of the node.
    if (m_item)
        m_item->SetNode(this);
    updateSortKey();
}

void TTreeNode::updateSortKey()
{
    // Folders first, then the first eight title characters folded as CompareTitles folds
    // them, 0 past the end: equal keys are compared in full.
    m_keyOther = false;
    m_keyFirst = m_keySecond = 0;
    if (!m_item)
        return;
    m_keyOther = m_item->Kind() != ItemKind::Folder;
    m_keyFirst = foldedChars(m_item->Title(), 0);
    m_keySecond = foldedChars(m_item->Title(), 4);
}

const QString &TTreeNode::Text() const
{
    static const QString none;
    if (m_ownText)
        return *m_ownText;
    return m_item ? m_item->Title() : none;
}

void TTreeNode::followTitle(bool changed)
{
    m_ownText.reset();
    if (changed)
        m_owner->changed(this);
}

TTreeNode::~TTreeNode()
{
    if (m_unsortedAt >= 0)
        m_owner->m_unsorted[size_t(m_unsortedAt)] = nullptr;
    destroyDescendants();
    // Whoever took the subtree out settled the alert counts above it in one step.
    if (m_item)
        m_item->LeaveNode();
    m_item.reset();
}

void TTreeNode::destroyDescendants()
{
    if (m_children.empty())
        return;
    std::vector<std::unique_ptr<TTreeNode>> doomed;
    doomed.swap(m_children);
    // Breadth first, so every node lies after its parent; destroyed from the back.
    for (size_t i = 0; i < doomed.size(); ++i) {
        TTreeNode *n = doomed[i].get();
        for (auto &child : n->m_children)
            doomed.push_back(std::move(child));
        n->m_children.clear();
    }
    while (!doomed.empty())
        doomed.pop_back();
}

void TTreeNode::SetText(const QString &text)
{
    if (Text() == text)
        return;
    m_ownText.reset();
    if (text != Text())
        m_ownText = std::make_unique<QString>(text);
    m_owner->changed(this);
}

void TTreeNode::SetImageIndex(int index)
{
    if (m_image == index)
        return;
    m_image = index;
    m_owner->changed(this);
}

void TTreeNode::SetSelectedIndex(int index)
{
    if (m_selectedImage == index)
        return;
    m_selectedImage = index;
    m_owner->changed(this);
}

void TTreeNode::SetStateIndex(int index)
{
    if (m_state == index)
        return;
    m_state = index;
    m_owner->changed(this);
}

TTreeNode *TTreeNode::Child(int index) const
{
    return index >= 0 && index < Count() ? m_children[size_t(index)].get() : nullptr;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (const TTreeNode *p = m_parent; p; p = p->m_parent)
        ++level;
    return level;
}

TTreeNode *TTreeNode::LastDescendant()
{
    TTreeNode *n = this;
    while (!n->m_children.empty())
        n = n->m_children.back().get();
    return n;
}

TTreeNode *TTreeNode::NextPreorder() const
{
    int depth = 0;
    return NextPreorder(depth);
}

TTreeNode *TTreeNode::NextPreorder(int &depth) const
{
    if (!m_children.empty()) {
        ++depth;
        return m_children.front().get();
    }
    return NextAfterSubtree(depth);
}

TTreeNode *TTreeNode::NextAfterSubtree(int &depth) const
{
    for (const TTreeNode *n = this; n; n = n->m_parent, --depth) {
        const auto &siblings = n->m_parent ? n->m_parent->m_children : n->m_owner->m_top;
        if (size_t(n->m_row) + 1 < siblings.size())
            return siblings[size_t(n->m_row) + 1].get();
    }
    return nullptr;
}

int TTreeNode::SubtreeCount() const
{
    // Its own list of nodes to visit: a node being inserted or taken out has no place
    // among its siblings to walk on from.
    if (m_children.empty())
        return 1;
    int count = 0;
    std::vector<const TTreeNode *> toVisit{this};
    while (!toVisit.empty()) {
        const TTreeNode *n = toVisit.back();
        toVisit.pop_back();
        ++count;
        for (const auto &child : n->m_children)
            toVisit.push_back(child.get());
    }
    return count;
}

void TTreeNode::renumberFrom(int first)
{
    for (size_t i = size_t(std::max(first, 0)); i < m_children.size(); ++i)
        m_children[i]->m_row = int(i);
}

int TTreeNode::sortedInsertPosition(const TTreeNode *node) const
{
    // After every equal entry, so equal titles keep their order of arrival.
    auto it = std::upper_bound(m_children.begin(), m_children.end(), node,
                               [](const TTreeNode *n, const std::unique_ptr<TTreeNode> &c) {
                                   return CompareItems(n->Item(), c->Item()) < 0;
                               });
    return int(it - m_children.begin());
}

void TTreeNode::RepositionChild(TTreeNode *child)
{
    if (!child || child->m_parent != this)
        return;
    child->updateSortKey();
    if (m_owner->Updating()) {
        m_owner->markUnsorted(this);
        return;
    }
    const int from = child->m_row;
    // Where it belongs among the others.
    auto holder = std::move(m_children[size_t(from)]);
    m_children.erase(m_children.begin() + from);
    int to = sortedInsertPosition(holder.get());
    m_children.insert(m_children.begin() + from, std::move(holder));
    if (to == from) {
        return;
    }
    // Qt's move convention: destination row counted before the removal.
    emit m_owner->nodeAboutToBeMoved(this, from, this, to > from ? to + 1 : to);
    auto moving = std::move(m_children[size_t(from)]);
    m_children.erase(m_children.begin() + from);
    m_children.insert(m_children.begin() + to, std::move(moving));
    renumberFrom(std::min(from, to));
    emit m_owner->nodeMoved(child);
}

void TTreeNode::SortChildren()
{
    if (m_owner->Updating()) {
        m_owner->markUnsorted(this);
        return;
    }
    if (std::is_sorted(m_children.begin(), m_children.end(), nodeLess))
        return;
    emit m_owner->childrenAboutToBeSorted(this);
    sortNodes(m_children);
    renumberFrom(0);
    emit m_owner->childrenSorted(this);
}

TTreeNodes::TTreeNodes(QObject *parent) : QObject(parent) {}

TTreeNodes::~TTreeNodes()
{
    m_destroying = true;
    blockSignals(true);
    while (!m_top.empty())
        m_top.pop_back();
}

TTreeNode *TTreeNodes::Top(int index) const
{
    return index >= 0 && index < TopCount() ? m_top[size_t(index)].get() : nullptr;
}

TTreeNode *TTreeNodes::AddTop(std::unique_ptr<TZEBObject> item, const QString &text)
{
    return insert(nullptr, std::unique_ptr<TTreeNode>(new TTreeNode(this, nullptr, std::move(item), text)));
}

TTreeNode *TTreeNodes::AddChild(TTreeNode *parent, std::unique_ptr<TZEBObject> item, const QString &text)
{
    return insert(parent, std::unique_ptr<TTreeNode>(new TTreeNode(this, parent, std::move(item), text)));
}

TTreeNode *TTreeNodes::insert(TTreeNode *parent, std::unique_ptr<TTreeNode> node)
{
    auto &list = parent ? parent->m_children : m_top;
    node->m_parent = parent;
    node->m_owner = this;
    m_count += node->SubtreeCount();
    TTreeNode *raw = node.get();
    if (Updating() || !parent) {
        const int row = int(list.size());
        if (!Updating())
            emit nodesAboutToBeInserted(parent, row, row);
        list.push_back(std::move(node));
        raw->m_row = row;
        if (parent && parent->m_unsortedAt < 0 && !appendedInOrder(list))
            markUnsorted(parent);
        if (!Updating())
            emit nodesInserted(parent, row, row);
        return raw;
    }
    const int row = parent->sortedInsertPosition(raw);
    emit nodesAboutToBeInserted(parent, row, row);
    list.insert(list.begin() + row, std::move(node));
    parent->renumberFrom(row);
    emit nodesInserted(parent, row, row);
    return raw;
}

std::unique_ptr<TTreeNode> TTreeNodes::detach(TTreeNode *node)
{
    TTreeNode *parent = node->m_parent;
    auto &list = parent ? parent->m_children : m_top;
    const int row = node->m_row;
    if (!Updating())
        emit nodesAboutToBeRemoved(parent, row, row);
    auto holder = std::move(list[size_t(row)]);
    list.erase(list.begin() + row);
    if (parent)
        parent->renumberFrom(row);
    else
        for (size_t i = size_t(row); i < m_top.size(); ++i)
            m_top[i]->m_row = int(i);
    m_count -= holder->SubtreeCount();
    if (!Updating())
        emit nodesRemoved(parent, row, row);
    return holder;
}

void TTreeNodes::Delete(TTreeNode *node)
{
    if (!node)
        return;
    // Its marks leave the counts above in one step; then it goes without a word.
    if (const TZEBObject *item = node->Item())
        TZEBObject::AddMarks(node->Parent(), -item->AlertCount());
    auto holder = detach(node);
    holder.reset();
}

void TTreeNodes::DeleteChildren(TTreeNode *node)
{
    if (!node || node->m_children.empty())
        return;
    const int last = node->Count() - 1;
    const bool announce = !Updating();
    if (announce)
        emit nodesAboutToBeRemoved(node, 0, last);
    std::vector<std::unique_ptr<TTreeNode>> gone;
    gone.swap(node->m_children);
    qint64 marks = 0;
    for (const auto &c : gone) {
        m_count -= c->SubtreeCount();
        if (const TZEBObject *item = c->Item())
            marks += item->AlertCount();
    }
    if (announce)
        emit nodesRemoved(node, 0, last);
    TZEBObject::AddMarks(node, -int(marks));
    while (!gone.empty())
        gone.pop_back();
}

void TTreeNodes::Move(TTreeNode *node, TTreeNode *newParent)
{
    if (!node || !newParent || node->m_parent == newParent)
        return;
    for (const TTreeNode *p = newParent; p; p = p->m_parent)
        if (p == node)
            return; // never under itself
    // The subtree's alert marks leave the old ancestors and join the new ones.
    TZEBObject *item = node->Item();
    const int marks = item ? item->AlertCount() : 0;
    const bool wasInRemote = item && item->InRemote();
    TZEBObject::AddMarks(node->Parent(), -marks);
    auto holder = detach(node);
    insert(newParent, std::move(holder));
    TZEBObject::AddMarks(newParent, marks);
    if (!item)
        return;
    item->SetNode(node);
    // Into or out of a remote folder: everything it carries is read-only or no longer.
    if (item->InRemote() != wasInRemote)
        PlaceAgain(node);
}

void PlaceAgain(TTreeNode *node)
{
    int depth = 0;
    for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth)) {
        TZEBObject *item = n->Item();
        if (!item)
            continue;
        item->SetNode(n);
        for (int k = 0; k < item->ChildCount(); ++k)
            item->ChildAt(k)->SetNode(n);
    }
}

void TTreeNodes::markUnsorted(TTreeNode *parent)
{
    if (parent->m_unsortedAt >= 0)
        return;
    parent->m_unsortedAt = int(m_unsorted.size());
    m_unsorted.push_back(parent);
}

void TTreeNodes::Clear()
{
    BeginUpdate();
    while (!m_top.empty())
        m_top.pop_back();
    m_count = 0;
    EndUpdate();
}

void TTreeNodes::BeginUpdate()
{
    if (m_updateDepth++ == 0)
        emit updateBegun();
}

void TTreeNodes::EndUpdate()
{
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth > 0)
        return;
    for (TTreeNode *parent : m_unsorted) {
        if (!parent)
            continue; // destroyed meanwhile
        parent->m_unsortedAt = -1;
        if (sortNodes(parent->m_children))
            parent->renumberFrom(0);
    }
    m_unsorted.clear();
    emit updateEnded();
}

void TTreeNodes::changedItem(TZEBObject *item)
{
    if (!Updating() && !m_destroying)
        emit itemChanged(item);
}

void TTreeNodes::insertedLeaf(TTreeNode *node, TZEBObject *leaf)
{
    if (!Updating() && !m_destroying)
        emit leafInserted(node, leaf);
}

void TTreeNodes::removingLeaf(TTreeNode *node, TZEBObject *leaf)
{
    if (!Updating() && !m_destroying)
        emit leafAboutToBeRemoved(node, leaf);
}

void TTreeNodes::changed(TTreeNode *node)
{
    // Every node outside a teardown is in the tree: only Delete, DeleteChildren and
    // Move hold a subtree apart, and none of them changes a node meanwhile.
    if (!Updating() && !m_destroying)
        emit nodeChanged(node);
}
