#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <map>
#include <memory>

class AutomationHost;
class TMiraApp;
class TTreeNode;
class TTreeNodes;
class TZEBObject;
class TreeIndex;

// The automation objects of every client, each with its own cursor, on one tree. Hears
// what leaves the tree, so no cursor is used on an item that is gone, and tells whether
// a call may run now (no dialog or long job, no other call under way).
class AutomationClients : public QObject
{
    Q_OBJECT
public:
    AutomationClients(TTreeNodes &nodes, AutomationHost &host, QObject *parent = nullptr);
    ~AutomationClients() override;

    // The client's object, made at the root on its first call.
    TMiraApp &Client(const QString &name);
    bool HasClient(const QString &name) const { return m_clients.count(name) != 0; }
    // The client has gone: its object and cursor go too.
    void Release(const QString &name);
    int ClientCount() const { return int(m_clients.size()); }

    // None once the tree is gone.
    TTreeNodes *Nodes() const;
    AutomationHost &Host() const { return m_host; }
    TreeIndex &Index() const { return *m_index; }

    // A dialog or long job runs, the tree is being rebuilt, or a call is under way (one
    // that opened a dialog, say): a call arriving now must not run.
    bool Busy() const;
    bool InCall() const { return m_inCall; }
    void SetInCall(bool on) { m_inCall = on; }

private:
    void nodesGoing(TTreeNode *parent, int first, int last);
    void leafGoing(TTreeNode *node, TZEBObject *leaf);
    void updateBegun();

    QPointer<TTreeNodes> m_nodes;
    AutomationHost &m_host;
    TreeIndex *m_index;
    std::map<QString, std::unique_ptr<TMiraApp>> m_clients;
    bool m_inCall = false;
};
