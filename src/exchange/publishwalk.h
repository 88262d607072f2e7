#pragma once

#include <QString>
#include <functional>

class TTreeNode;

// Every node of node's subtree in pre-order that the category filter shows, with its depth
// counted in the shown nodes above it (0 for node itself). A hidden container's shown
// descendants move up into its place, so what is written nests as it reads back: an
// export file with a hidden folder imports with the same shape, minus that folder.
void ForEachPublishedNode(TTreeNode *node, const std::function<void(TTreeNode *, int depth)> &visit);

// The subtree as export-file records (node at level 1, containers without categories),
// at the depths of ForEachPublishedNode. Raises EInOutError.
void ExportPublishedSubtree(TTreeNode *node, const QString &fileName);
