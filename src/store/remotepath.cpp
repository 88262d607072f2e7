#include "remotepath.h"

#include "treenodes.h"
#include "zebobject.h"

#include <QFileInfo>

RemotePath RemotePath::Above(const TTreeNode *node)
{
    RemotePath path;
    for (const TTreeNode *n = node ? node->Parent() : nullptr; n; n = n->Parent())
        if (const TZEBObject *item = n->Item(); item && item->IsRemote())
            path.Enter(0, item->Value());
    return path;
}

QString RemotePath::SourceKey(const QString &location)
{
    if (location.startsWith(QLatin1String("http://")))
        return location;
    const QFileInfo info(location);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

void RemotePath::Enter(int depth, const QString &location)
{
    Entry entry{depth, SourceKey(location)};
    ++m_count[entry.key];
    m_entries.push_back(std::move(entry));
}

void RemotePath::LeaveTo(int depth)
{
    while (!m_entries.empty() && m_entries.back().depth >= depth) {
        auto it = m_count.find(m_entries.back().key);
        if (it != m_count.end() && --it.value() == 0)
            m_count.erase(it);
        m_entries.pop_back();
    }
}
