#pragma once

#include <QString>
#include <QStringList>

class TTreeNode;
class TZEBObject;

// Tree paths name a node by the titles from the top down, joined by "/":
// "My Contacts/Friends/Kim Sample". A "/" or "\" inside a title is written "\/" or "\\".
QString TreePathPart(const QString &title);
QStringList SplitTreePath(const QString &path);
// The path of a node, from the top node on.
QString TreePath(const TTreeNode *node);
// The path of a leaf item: its owner's path and its own title.
QString TreePath(const TZEBObject *leaf);

// The node a path names below (and including) top, or none. The top node's own title
// may be left out. Titles match exactly, else ignoring case. Each node passed on the
// way is handed to visit first (so a remote folder can read its contents).
template <typename Visit>
TTreeNode *FindNodeByPath(TTreeNode *top, const QString &path, Visit visit);
TTreeNode *FindNodeByPath(TTreeNode *top, const QString &path);

namespace TreePathDetail {
TTreeNode *childByTitle(TTreeNode *node, const QString &title);
const QString &nodeTitle(const TTreeNode *node);
}

template <typename Visit>
TTreeNode *FindNodeByPath(TTreeNode *top, const QString &path, Visit visit)
{
    const QStringList parts = SplitTreePath(path);
    auto walk = [&](TTreeNode *from, qsizetype first) -> TTreeNode * {
        TTreeNode *n = from;
        for (qsizetype i = first; n && i < parts.size(); ++i) {
            visit(n);
            n = TreePathDetail::childByTitle(n, parts.at(i));
        }
        return n;
    };
    if (!parts.isEmpty() && parts.front() == TreePathDetail::nodeTitle(top))
        if (TTreeNode *found = walk(top, 1))
            return found;
    return walk(top, 0);
}
