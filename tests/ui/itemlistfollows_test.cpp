#include "mainformfixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

// The item list follows the store under the shown node without any command
// rebuilding it: nodes and leaves that come, go, or change.

TEST_F(MainFormTest, ListFollowsNodesAndLeavesUnderTheShownNode)
{
    TZEBObject *friends = add(ItemKind::Folder, QStringLiteral("Friends"));
    TZEBObject *kim = add(ItemKind::Person, QStringLiteral("Kim"), friends->Node());
    form->SelectNode(friends->Node());
    TItemListModel *list = form->itemModel();
    QAbstractItemModelTester tester(list, QAbstractItemModelTester::FailureReportingMode::Fatal);

    // Leaves: added, changed, removed straight through the store.
    TZEBObject *phone = add(ItemKind::Phone, QStringLiteral("Zed"), friends->Node(), QStringLiteral("555"));
    TZEBObject *mail = add(ItemKind::EMail, QStringLiteral("Box"), friends->Node());
    EXPECT_EQ(listCaptions(), (QStringList{"Box", "Kim", "Zed"}));
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("3 item(s)"));
    phone->SetTitle(QStringLiteral("Alpha"));
    phone->SetValue(QStringLiteral("556"));
    mail->SetComment(QStringLiteral("old box"));
    EXPECT_EQ(listCaptions(), (QStringList{"Alpha", "Box", "Kim"}));
    EXPECT_EQ(list->index(0, TItemListModel::TargetColumn).data().toString(), QStringLiteral("556"));
    EXPECT_EQ(list->index(1, TItemListModel::CommentColumn).data().toString(), QStringLiteral("old box"));
    friends->RemoveChild(mail);
    EXPECT_EQ(listCaptions(), (QStringList{"Alpha", "Kim"}));

    // Nodes: a new one takes its sorted place, a renamed one moves, a deleted one goes.
    TZEBObject *sub = add(ItemKind::Folder, QStringLiteral("Work"), friends->Node());
    EXPECT_EQ(listCaptions(), (QStringList{"Work", "Alpha", "Kim"}));
    kim->SetTitle(QStringLiteral("Aaron"));
    EXPECT_EQ(listCaptions(), (QStringList{"Work", "Aaron", "Alpha"}));
    form->Nodes().Delete(sub->Node());
    EXPECT_EQ(listCaptions(), (QStringList{"Aaron", "Alpha"}));
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("2 item(s)"));

    // What happens elsewhere leaves the list alone.
    add(ItemKind::Phone, QStringLiteral("Mobile"), kim->Node());
    add(ItemKind::Folder, QStringLiteral("Elsewhere"));
    EXPECT_EQ(listCaptions(), (QStringList{"Aaron", "Alpha"}));

    // The shown node's own rename reaches the path panel; its removal empties the list.
    friends->SetTitle(QStringLiteral("Pals"));
    EXPECT_EQ(form->statusText(StatusPanel::Folder), QStringLiteral("Pals"));
    form->Nodes().DeleteChildren(root);
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(MainFormTest, NamingANewFolderInTheTreeRenamesItsRow)
{
    for (ItemKind kind : {ItemKind::Folder, ItemKind::Team}) {
        form->SelectNode(root);
        form->NewItem(kind);
        TTreeNode *made = root->Child(root->Count() - 1);
        ASSERT_TRUE(made->Item() && made->Item()->Kind() == kind);
        const QString name = kind == ItemKind::Folder ? QStringLiteral("Aardvarks") : QStringLiteral("Zebras");
        // The label edit ends with the typed name.
        TFolderTreeModel *tree = form->folderModel();
        ASSERT_TRUE(tree->setData(tree->indexOf(made), name, Qt::EditRole));
        EXPECT_EQ(form->itemModel()->captionAt(form->itemModel()->rowOf(made->Item())), name);
        EXPECT_FALSE(listCaptions().contains(QStringLiteral("New Folder")));
        EXPECT_FALSE(listCaptions().contains(QStringLiteral("New Team")));
    }
    EXPECT_EQ(listCaptions(), (QStringList{"Aardvarks", "Zebras"}));
}
