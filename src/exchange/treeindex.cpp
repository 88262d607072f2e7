#include "treeindex.h"

#include "store/treenodes.h"

TreeIndex::TreeIndex(TTreeNodes &nodes, QObject *parent) : QObject(parent), m_nodes(&nodes)
{
    // Dropped before a node goes too, so no stale pointer is ever handed out.
    connect(&nodes, &TTreeNodes::nodesAboutToBeInserted, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::nodesInserted, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::nodesAboutToBeRemoved, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::nodesRemoved, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::nodeAboutToBeMoved, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::nodeMoved, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::childrenSorted, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::updateBegun, this, &TreeIndex::drop);
    connect(&nodes, &TTreeNodes::updateEnded, this, &TreeIndex::drop);
    connect(&nodes, &QObject::destroyed, this, &TreeIndex::drop);
}

int TreeIndex::Count() const { return m_nodes ? m_nodes->Count() : 0; }

void TreeIndex::drop()
{
    m_orderValid = false;
    m_positionsValid = false;
    m_order.clear();
    m_positions.clear();
}

void TreeIndex::buildOrder()
{
    m_order.clear();
    // Nothing is announced while the tree is being updated, so nothing is kept then.
    if (!m_nodes || m_nodes->Updating())
        return;
    m_order.reserve(size_t(m_nodes->Count()));
    for (TTreeNode *node = m_nodes->First(); node; node = node->NextPreorder())
        m_order.push_back(node);
    m_orderValid = true;
}

TTreeNode *TreeIndex::At(int index)
{
    if (!m_orderValid)
        buildOrder();
    if (index < 0 || size_t(index) >= m_order.size())
        return nullptr;
    TTreeNode *node = m_order[size_t(index)];
    if (!m_orderValid)
        m_order.clear();
    return node;
}

int TreeIndex::IndexOf(const TTreeNode *node)
{
    if (!node)
        return -1;
    if (!m_positionsValid) {
        if (!m_orderValid)
            buildOrder();
        m_positions.clear();
        m_positions.reserve(m_order.size());
        for (size_t i = 0; i < m_order.size(); ++i)
            m_positions.emplace(m_order[i], int(i));
        m_positionsValid = m_orderValid;
    }
    const auto it = m_positions.find(node);
    const int index = it == m_positions.end() ? -1 : it->second;
    if (!m_positionsValid)
        m_positions.clear();
    return index;
}
