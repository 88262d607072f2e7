#include "automationclients.h"

#include "automationhost.h"
#include "miraapp.h"
#include "treeindex.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

AutomationClients::AutomationClients(TTreeNodes &nodes, AutomationHost &host, QObject *parent)
    : QObject(parent), m_nodes(&nodes), m_host(host), m_index(new TreeIndex(nodes, this))
{
    connect(&nodes, &TTreeNodes::nodesAboutToBeRemoved, this, &AutomationClients::nodesGoing);
    connect(&nodes, &TTreeNodes::leafAboutToBeRemoved, this, &AutomationClients::leafGoing);
    // Nothing is announced during an update: every cursor checks itself afterwards.
    connect(&nodes, &TTreeNodes::updateBegun, this, &AutomationClients::updateBegun);
}

AutomationClients::~AutomationClients() = default;

TTreeNodes *AutomationClients::Nodes() const { return m_nodes.data(); }

TMiraApp &AutomationClients::Client(const QString &name)
{
    auto &app = m_clients[name];
    if (!app)
        app = std::make_unique<TMiraApp>(*this);
    return *app;
}

void AutomationClients::Release(const QString &name) { m_clients.erase(name); }

bool AutomationClients::Busy() const { return m_inCall || m_host.Busy() || (m_nodes && m_nodes->Updating()); }

void AutomationClients::nodesGoing(TTreeNode *parent, int first, int last)
{
    for (auto &[name, app] : m_clients)
        app->NodesGoing(parent, first, last);
}

void AutomationClients::leafGoing(TTreeNode *, TZEBObject *leaf)
{
    for (auto &[name, app] : m_clients)
        app->LeafGoing(leaf);
}

void AutomationClients::updateBegun()
{
    for (auto &[name, app] : m_clients)
        app->MarkSuspect();
}
