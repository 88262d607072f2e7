#include "mainformfixture.h"

#include "store/kinds.h"
#include "ui/foldertreemodel.h"

#include <QAbstractItemModelTester>

// A folder with 50,000 children: the models hold every row, in the panes' order.
TEST_F(MainFormTest, FolderWithFiftyThousandChildren)
{
    TZEBObject *big = add(ItemKind::Folder, QStringLiteral("Big"));
    TTreeNode *node = big->Node();
    const int containers = 20000;
    const int leaves = 30000;
    form->Nodes().BeginUpdate();
    for (int i = containers - 1; i >= 0; --i)
        add(i % 10 == 0 ? ItemKind::Folder : ItemKind::Person, QStringLiteral("Item %1").arg(i, 5, 10, QLatin1Char('0')), node);
    form->Nodes().EndUpdate();
    for (int i = 0; i < leaves; ++i)
        add(ItemKind::Phone, QStringLiteral("phone %1").arg(i, 5, 10, QLatin1Char('0')), node);

    form->SelectNode(node);
    TItemListModel *list = form->itemModel();
    ASSERT_EQ(list->rowCount(), containers + leaves);
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("50000 item(s)"));
    // Folders lead; everything after them is one case-folded run.
    EXPECT_EQ(list->captionAt(0), QStringLiteral("Item 00000"));
    EXPECT_EQ(list->itemAt(1999)->Kind(), ItemKind::Folder);
    EXPECT_NE(list->itemAt(2000)->Kind(), ItemKind::Folder);
    EXPECT_EQ(list->captionAt(2000), QStringLiteral("Item 00001"));
    EXPECT_EQ(list->captionAt(containers + leaves - 1), QStringLiteral("phone 29999"));
    for (int r = 2001; r < list->rowCount(); r += 997)
        EXPECT_LT(CompareItems(list->itemAt(r - 1), list->itemAt(r)), 1) << r;

    TFolderTreeModel *tree = form->folderModel();
    const QModelIndex parent = tree->indexOf(node);
    ASSERT_EQ(tree->rowCount(parent), containers);
    EXPECT_EQ(tree->index(containers - 1, 0, parent).data().toString(), QStringLiteral("Item 19999"));
    QAbstractItemModelTester tester(tree, QAbstractItemModelTester::FailureReportingMode::Fatal);
}
