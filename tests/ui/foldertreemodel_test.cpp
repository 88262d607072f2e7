#include "store/kinds.h"
#include "support/storefixture.h"
#include "ui/foldertreemodel.h"
#include "ui/imagelist.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>

// The adapter follows every change of the nodes; the model tester aborts on
// any inconsistency between what it announces and what it then shows.
class FolderTreeModelTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        model = std::make_unique<TFolderTreeModel>(nodes, images);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    QStringList childTexts(TTreeNode *node) const
    {
        QStringList texts;
        const QModelIndex parent = model->indexOf(node);
        for (int r = 0; r < model->rowCount(parent); ++r)
            texts.append(model->index(r, 0, parent).data().toString());
        return texts;
    }

    TImageList images;
    std::unique_ptr<TFolderTreeModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(FolderTreeModelTest, InsertRenameMoveAndDeleteStayInStep)
{
    TZEBObject *carl = add(ItemKind::Person, "carl", root);
    TZEBObject *work = add(ItemKind::Folder, "Work", root);
    TZEBObject *anna = add(ItemKind::Person, "Anna", root);
    add(ItemKind::Folder, "archive", root);
    TZEBObject *team = add(ItemKind::Team, "Crew", carl->Node());
    EXPECT_EQ(childTexts(root), (QStringList{"archive", "Work", "Anna", "carl"}));

    // A rename re-sorts; indexes of the node, its siblings and its children follow.
    const QPersistentModelIndex carlIndex = model->indexOf(carl->Node());
    const QPersistentModelIndex annaIndex = model->indexOf(anna->Node());
    const QPersistentModelIndex teamIndex = model->indexOf(team->Node());
    carl->SetTitle(QStringLiteral("Aaron")); // moves before Anna
    EXPECT_EQ(childTexts(root), (QStringList{"archive", "Work", "Aaron", "Anna"}));
    EXPECT_EQ(TFolderTreeModel::nodeAt(carlIndex), carl->Node());
    EXPECT_EQ(carlIndex.row(), 2);
    EXPECT_EQ(annaIndex.row(), 3);
    EXPECT_EQ(teamIndex.parent(), QModelIndex(carlIndex));

    nodes.Move(anna->Node(), work->Node());
    EXPECT_EQ(childTexts(root), (QStringList{"archive", "Work", "Aaron"}));
    EXPECT_EQ(childTexts(work->Node()), QStringList{"Anna"});
    EXPECT_EQ(model->parent(model->indexOf(anna->Node())), model->indexOf(work->Node()));

    nodes.Delete(work->Node());
    EXPECT_EQ(childTexts(root), (QStringList{"archive", "Aaron"}));
    EXPECT_EQ(carlIndex.row(), 1);
}

TEST_F(FolderTreeModelTest, BatchLoadIsOneResetInFolderOrder)
{
    const QPersistentModelIndex before = model->indexOf(add(ItemKind::Person, "Old", root)->Node());
    QSignalSpy resets(model.get(), &QAbstractItemModel::modelReset);
    QSignalSpy inserts(model.get(), &QAbstractItemModel::rowsInserted);
    nodes.BeginUpdate();
    for (const char *t : {"m", "B", "a", "Z"})
        add(ItemKind::Organization, t, root);
    add(ItemKind::Folder, "zz folder", root);
    nodes.EndUpdate();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(inserts.count(), 0);
    EXPECT_FALSE(before.isValid()); // a reset drops the indexes held across it
    EXPECT_EQ(childTexts(root), (QStringList{"zz folder", "a", "B", "m", "Old", "Z"}));

    nodes.DeleteChildren(root);
    EXPECT_EQ(model->rowCount(model->indexOf(root)), 0);
}

TEST_F(FolderTreeModelTest, ImagesFollowTheNode)
{
    TZEBObject *folder = add(ItemKind::Folder, "F", root);
    const QModelIndex i = model->indexOf(folder->Node());
    EXPECT_EQ(i.data(TFolderTreeModel::SelectedIconRole).value<QIcon>().cacheKey(),
              images.Icon(ImageIndex(Image::OpenFolder)).cacheKey());
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    folder->Node()->SetImageIndex(ImageIndex(Image::RemoteFolder));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.first().at(0).value<QModelIndex>(), i);
    EXPECT_EQ(i.data(Qt::DecorationRole).value<QIcon>().cacheKey(), images.Icon(ImageIndex(Image::RemoteFolder)).cacheKey());
}
