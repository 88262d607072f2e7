#include "recordfiletestutil.h"
#include "store/folderobject.h"
#include "support/storefixture.h"

namespace {

// Deep enough that a call per level would run out of stack.
constexpr int kDepth = 200000;

// Folders F<first> to F<last>, each inside the one before, written from level
// firstLevel on, with a phone and a due reminder in the last one.
QByteArray Chain(int first, int last, int firstLevel)
{
    QByteArray out;
    int level = firstLevel;
    for (int i = first; i <= last; ++i, ++level)
        out += "{" + QByteArray::number(level) + " 0 }F" + QByteArray::number(i) + "~~~~~~" + QByteArray::number(i) +
               "\r\n{Fold}0\r\n";
    const QByteArray below = QByteArray::number(level);
    out += "{" + below + " 6 }Bottom~~555~~~~7\r\n{Phon}~~0\r\n";
    out += "{" + below + " 9 }Due~~1/1/2001~~~~8\r\n{Remd}2001,1,1,0~~0\r\n";
    return out;
}

const QByteArray kHead = CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645"});

class DeepTreeTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        nodes.Context().SetToday(QDate(2030, 1, 1));
    }
    // The node depth levels below from, following the first child.
    static TTreeNode *down(TTreeNode *from, int depth)
    {
        TTreeNode *n = from;
        for (int i = 0; n && i < depth; ++i)
            n = n->Child(0);
        return n;
    }
};

TEST_F(DeepTreeTest, ADeepChainLoadsSavesExportsAndGoes)
{
    const QByteArray file = kHead + Chain(1, kDepth, 1);
    WriteBytes(RecordFile::DatabaseName, file);
    LoadDatabase(root);
    ASSERT_EQ(nodes.Count(), kDepth + 1);
    TTreeNode *bottom = down(root, kDepth);
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(bottom->Text(), QString("F%1").arg(kDepth));
    EXPECT_EQ(bottom->Level(), kDepth);
    EXPECT_EQ(bottom->SubtreeCount(), 1);
    EXPECT_EQ(root->Child(0)->SubtreeCount(), kDepth);
    // The due reminder marks every folder above it.
    EXPECT_EQ(root->Child(0)->Item()->AlertCount(), 1);
    EXPECT_EQ(root->Child(0)->StateIndex(), StateImageIndex(StateImage::Alert));

    EXPECT_EQ(Saved(nodes), file);

    // Levels start again at 1 in an export of the middle of the chain.
    TTreeNode *middle = down(root, kDepth / 2);
    ExportSubtree(middle, "middle.mbd");
    EXPECT_EQ(ReadBytes("middle.mbd"), Chain(kDepth / 2, kDepth, 1));

    // Deleting the lower part takes its mark from everything above, and nothing else.
    nodes.Delete(down(root, kDepth / 2 + 1));
    EXPECT_EQ(nodes.Count(), kDepth / 2 + 1);
    EXPECT_EQ(root->Child(0)->Item()->AlertCount(), 0);
    EXPECT_EQ(root->Child(0)->StateIndex(), StateImageIndex(StateImage::None));
    EXPECT_EQ(middle->Count(), 0);
    // The rest goes with the tree at the end of the test.
}

TEST_F(DeepTreeTest, DeepChainsGoWithTheirMarksInOneStep)
{
    TTreeNode *folder = add(ItemKind::Folder, "Holder", root)->Node();
    WriteBytes("deep.mbd", Chain(1, kDepth, 1));
    ImportFile(folder, "deep.mbd");
    ImportFile(folder, "deep.mbd");
    EXPECT_EQ(folder->Item()->AlertCount(), 2);
    EXPECT_EQ(nodes.Count(), 2 * kDepth + 2);
    nodes.DeleteChildren(folder);
    EXPECT_EQ(folder->Item()->AlertCount(), 0);
    EXPECT_EQ(folder->StateIndex(), StateImageIndex(StateImage::None));
    EXPECT_EQ(nodes.Count(), 2);

    ImportFile(folder, "deep.mbd");
    nodes.Clear();
    EXPECT_EQ(nodes.Count(), 0);
}

TEST_F(DeepTreeTest, ARemoteFolderMadeLocalFreesEveryLevelBelowIt)
{
    WriteBytes("deep.mbd", Chain(1, kDepth, 1));
    auto *folder = static_cast<TFolderObject *>(add(ItemKind::Folder, "Shared", root));
    folder->SetValue(QDir(dir.path()).filePath("deep.mbd"));
    folder->Refresh();
    TTreeNode *bottom = down(folder->Node(), kDepth);
    ASSERT_NE(bottom, nullptr);
    EXPECT_TRUE(bottom->Item()->InRemote());
    EXPECT_TRUE(bottom->Item()->ChildAt(0)->InRemote());

    folder->SetValue(QString());
    EXPECT_FALSE(bottom->Item()->InRemote());
    EXPECT_FALSE(bottom->Item()->ChildAt(0)->InRemote());
    // Now the user's own items, saved with the rest.
    const QByteArray shared = "{1 0 }Shared~~~~~~" + QByteArray::number(folder->Id()) + "\r\n{Fold}0\r\n";
    EXPECT_EQ(Saved(nodes), kHead + shared + Chain(1, kDepth, 2));
}

TEST_F(DeepTreeTest, DueRemindersOfAReadMarkEveryContainerAboveThem)
{
    TTreeNode *holder = add(ItemKind::Folder, "Holder", root)->Node();
    WriteBytes("due.mbd", CrLf({
                              "{1 0 }A~~~~~~1", "{Fold}0",
                              "{2 9 }R1~~~~~~2", "{Remd}2001,1,1,0~~0",
                              "{2 0 }B~~~~~~3", "{Fold}0",
                              "{3 9 }R2~~~~~~4", "{Remd}2001,1,1,0~~0",
                              "{3 9 }R3~~~~~~5", "{Remd}2001,1,1,0~~0",
                              "{3 9 }Later~~~~~~6", "{Remd}2040,1,1,0~~0", // not due
                              "{2 0 }C~~~~~~7", "{Fold}0",
                              "{2 9 }R4~~~~~~8", "{Remd}2001,1,1,0~~0", // A's again, after its folders
                              "{1 0 }D~~~~~~9", "{Fold}0",
                              "{2 9 }R5~~~~~~10", "{Remd}2001,1,1,0~~0",
                              "x",                                       // the read stops here
                          }));
    EXPECT_THROW(ImportFile(holder, "due.mbd"), EInOutError);
    const auto count = [](const TTreeNode *n) { return n->Item()->AlertCount(); };
    TTreeNode *a = holder->Child(0);
    TTreeNode *d = holder->Child(1);
    ASSERT_TRUE(a && d && a->Count() == 2);
    EXPECT_EQ(count(a->Child(0)), 2);
    EXPECT_EQ(count(a->Child(1)), 0);
    EXPECT_EQ(count(a), 4);
    EXPECT_EQ(count(d), 1);
    EXPECT_EQ(count(holder), 5);
    EXPECT_EQ(count(root), 0);
    EXPECT_EQ(a->Child(0)->StateIndex(), StateImageIndex(StateImage::Alert));
    EXPECT_EQ(a->Child(1)->StateIndex(), StateImageIndex(StateImage::None));
    EXPECT_EQ(holder->StateIndex(), StateImageIndex(StateImage::Alert));

    // Made into items, the reminders count themselves instead.
    EXPECT_EQ(Outline(holder), QStringList({"A", "A|R1", "A|R4", "A/B", "A/B|R2", "A/B|R3", "A/B|Later", "A/C", "D",
                                            "D|R5"}));
    EXPECT_EQ(count(holder), 5);
    nodes.Delete(a->Child(0));
    EXPECT_EQ(count(a), 2);
    nodes.Delete(a);
    EXPECT_EQ(count(holder), 1);
}

} // namespace
