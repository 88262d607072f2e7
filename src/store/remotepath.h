#pragma once

#include <QHash>
#include <QString>
#include <vector>

class TTreeNode;

// The sources of the remote folders on the way down to a node. A folder whose source
// is one of them would read itself inside itself for ever; it is not read again.
class RemotePath
{
public:
    // The sources of the remote folders above node (a walk up, once).
    static RemotePath Above(const TTreeNode *node);
    // The same source however it is written: an "http://" address as it stands, a
    // file by its canonical path.
    static QString SourceKey(const QString &location);

    // A remote folder at depth whose contents come from location.
    void Enter(int depth, const QString &location);
    // Leaves the folders at depth or deeper: a walk came back up to depth.
    void LeaveTo(int depth);
    bool Holds(const QString &location) const { return m_count.value(SourceKey(location)) > 0; }

private:
    struct Entry
    {
        int depth;
        QString key;
    };
    std::vector<Entry> m_entries;
    QHash<QString, int> m_count;
};
