#include "treepath.h"

#include "store/treenodes.h"
#include "store/zebobject.h"

QString TreePathPart(const QString &title)
{
    QString out = title;
    out.replace(u'\\', QLatin1String("\\\\"));
    out.replace(u'/', QLatin1String("\\/"));
    return out;
}

QStringList SplitTreePath(const QString &path)
{
    QStringList parts;
    QString part;
    bool escaped = false;
    for (QChar c : path) {
        if (escaped) {
            part += c;
            escaped = false;
        } else if (c == u'\\') {
            escaped = true;
        } else if (c == u'/') {
            parts << part;
            part.clear();
        } else {
            part += c;
        }
    }
    if (escaped)
        part += u'\\';
    parts << part;
    // Slashes at either end and doubled ones name nothing.
    parts.removeIf([](const QString &p) { return p.isEmpty(); });
    return parts;
}

QString TreePath(const TTreeNode *node)
{
    QStringList parts;
    for (const TTreeNode *n = node; n; n = n->Parent())
        parts.prepend(TreePathPart(TreePathDetail::nodeTitle(n)));
    return parts.join(u'/');
}

QString TreePath(const TZEBObject *leaf)
{
    return TreePath(leaf->Node()) + u'/' + TreePathPart(leaf->Title());
}

TTreeNode *FindNodeByPath(TTreeNode *top, const QString &path)
{
    return FindNodeByPath(top, path, [](TTreeNode *) {});
}

namespace TreePathDetail {

const QString &nodeTitle(const TTreeNode *node)
{
    return node->Item() ? node->Item()->Title() : node->Text();
}

TTreeNode *childByTitle(TTreeNode *node, const QString &title)
{
    for (int i = 0; i < node->Count(); ++i)
        if (nodeTitle(node->Child(i)) == title)
            return node->Child(i);
    for (int i = 0; i < node->Count(); ++i)
        if (nodeTitle(node->Child(i)).compare(title, Qt::CaseInsensitive) == 0)
            return node->Child(i);
    return nullptr;
}

} // namespace TreePathDetail
