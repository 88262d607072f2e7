#include "publishwalk.h"

#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QScopeGuard>
#include <vector>

void ForEachPublishedNode(TTreeNode *node, const std::function<void(TTreeNode *, int depth)> &visit)
{
    // The tree depths of the shown nodes above the current one: a node's depth is how
    // many of them lie above it. Each node is pushed and popped once, so the walk stays linear.
    std::vector<int> shownAbove;
    int depth = 0;
    for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth)) {
        while (!shownAbove.empty() && shownAbove.back() >= depth)
            shownAbove.pop_back();
        const TZEBObject *item = n->Item();
        if (!item || item->IsFilteredOut())
            continue;
        visit(n, int(shownAbove.size()));
        shownAbove.push_back(depth);
    }
}

void ExportPublishedSubtree(TTreeNode *node, const QString &fileName)
{
    WriteWholeFile(fileName, [&](RecordSink &sink) {
        ForEachPublishedNode(node, [&](TTreeNode *n, int depth) {
            TZEBObject *item = n->Item();
            // Containers go without their categories; the leaves written with them keep theirs.
            const qint32 categories = item->Categories();
            item->SetCategories(0);
            const auto restore = qScopeGuard([&] { item->SetCategories(categories); });
            WriteItem(item, sink, depth + 1);
        });
    });
}
