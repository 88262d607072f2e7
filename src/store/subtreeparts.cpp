#include "subtreeparts.h"

namespace {

// The number of nodes in n's subtree, n included, when it is at most limit; none
// looked at beyond that (then limit + 1).
int countUpTo(const TTreeNode *n, int limit)
{
    if (!n->HasChildren())
        return 1;
    int count = 0;
    int depth = 0;
    for (const TTreeNode *m = n; m && (m == n || depth > 0) && count <= limit; m = m->NextPreorder(depth))
        ++count;
    return count;
}

} // namespace

bool SubtreeParts::Take(std::vector<SubtreePart> &parts)
{
    parts.clear();
    int nodes = 0;
    // Back at depth 0 after the top, the walk has left the subtree.
    while (m_next && (m_next == m_top || m_depth > 0) && nodes < kChunk) {
        const TTreeNode *n = m_next;
        const int count = countUpTo(n, kWhole);
        if (count <= kWhole) {
            parts.push_back({n, true});
            nodes += count;
            m_next = n->NextAfterSubtree(m_depth);
        } else {
            parts.push_back({n, false});
            ++nodes;
            m_next = n->NextPreorder(m_depth);
        }
    }
    return !parts.empty();
}
