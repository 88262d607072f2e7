#include "store/subtreeparts.h"

#include "support/storefixture.h"

#include <vector>

namespace {

std::vector<const TTreeNode *> preorder(const TTreeNode *top)
{
    std::vector<const TTreeNode *> nodes;
    int depth = 0;
    for (const TTreeNode *n = top; n && (n == top || depth > 0); n = n->NextPreorder(depth))
        nodes.push_back(n);
    return nodes;
}

// The nodes of every part of every chunk, one after the other; the chunks counted.
std::vector<const TTreeNode *> throughParts(const TTreeNode *top, int &chunks)
{
    std::vector<const TTreeNode *> nodes;
    std::vector<SubtreePart> parts{{top, false}}; // left as they were by the last Take
    SubtreeParts cut(top);
    chunks = 0;
    while (cut.Take(parts)) {
        ++chunks;
        for (const SubtreePart &part : parts)
            part.ForEachNode([&](const TTreeNode *n) { nodes.push_back(n); });
    }
    EXPECT_TRUE(parts.empty());
    return nodes;
}

} // namespace

using SubtreePartsTest = StoreFixture;

// The pieces go through the subtree in pre-order, every node once and none outside it,
// whatever its shape: a large folder is cut between its children, small ones go whole.
TEST_F(SubtreePartsTest, PartsCoverTheSubtreeInPreorder)
{
    constexpr int kMany = SubtreeParts::kChunk * 3 + 7;
    TTreeNode *big = add(ItemKind::Folder, "Big", root)->Node();
    for (int i = 0; i < kMany; ++i) {
        TTreeNode *p = add(ItemKind::Person, QStringLiteral("P%1").arg(i, 4, 10, QChar(u'0')), big)->Node();
        if (i % 3 == 0)
            add(ItemKind::Website, "Site", p);
    }
    TTreeNode *small = add(ItemKind::Folder, "Small", root)->Node();
    TTreeNode *inner = add(ItemKind::Folder, "Inner", small)->Node();
    for (int i = 0; i < SubtreeParts::kWhole - 1; ++i) // as many as go whole
        add(ItemKind::Person, QStringLiteral("Q%1").arg(i, 4, 10, QChar(u'0')), inner);
    add(ItemKind::Folder, "After", root); // a sibling after the subtrees looked at

    for (const TTreeNode *top : {root, big, small, inner, big->Child(0), big->Child(kMany - 1)}) {
        int chunks = 0;
        const std::vector<const TTreeNode *> nodes = throughParts(top, chunks);
        EXPECT_EQ(nodes, preorder(top)) << top->Text().toStdString();
        if (top == big || top == root) {
            EXPECT_GT(chunks, 3) << top->Text().toStdString(); // cut in several chunks
        }
        if (top == inner || top == small) {
            EXPECT_EQ(chunks, 1);
        }
    }
    // A whole piece holds no more than kWhole nodes: one more, and the folder is cut.
    std::vector<SubtreePart> parts;
    SubtreeParts whole(inner);
    ASSERT_TRUE(whole.Take(parts));
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_TRUE(parts[0].withSubtree);
    add(ItemKind::Person, "Q9999", inner);
    SubtreeParts cut(inner);
    ASSERT_TRUE(cut.Take(parts));
    ASSERT_EQ(parts.size(), size_t(SubtreeParts::kWhole + 1));
    EXPECT_FALSE(parts[0].withSubtree);
    EXPECT_EQ(parts[0].node, inner);
    int chunks = 0;
    EXPECT_EQ(throughParts(inner, chunks), preorder(inner));
}
