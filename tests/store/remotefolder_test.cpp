#include "recordfiletestutil.h"
#include "store/folderobject.h"
#include "support/storefixture.h"

#include <QDateTime>

namespace {

QDateTime HoursAgo(int hours) { return QDateTime::currentDateTime().addSecs(-3600 * hours); }

// A folder bound to an exported file in the data directory.
class RemoteFolderTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        source = QDir(dir.path()).filePath("shared.mbd");
        writeSource(CrLf({"{1 0 }Club~~~~~~1", "{Fold}0", "{2 6 }Desk~~555~~~~2", "{Phon}~~0", "{1 6 }Line~~1~~~~3",
                          "{Phon}~~0"}),
                    HoursAgo(1));
        folder = static_cast<TFolderObject *>(add(ItemKind::Folder, "Shared", root));
        add(ItemKind::Folder, "Local Child", folder->Node());
        CreateItem(ItemKind::Phone, "Own", "9", {}, folder->Node(), "{Phon}~~0", 50);
    }
    void writeSource(const QByteArray &bytes, const QDateTime &modified)
    {
        WriteBytes(source, bytes);
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    void bindAndRefresh()
    {
        folder->SetValue(source);
        folder->Refresh();
    }

    QString source;
    TFolderObject *folder = nullptr;
};

TEST_F(RemoteFolderTest, LocationClearsTheContentsAndShowsTheRemoteImages)
{
    folder->SetValue(source);
    EXPECT_TRUE(folder->IsRemote());
    EXPECT_EQ(Outline(folder->Node()), QStringList({"|Own"})); // its own leaf stays
    EXPECT_EQ(folder->Node()->ImageIndex(), ImageIndex(Image::RemoteFolder));
    EXPECT_EQ(folder->Node()->SelectedIndex(), ImageIndex(Image::OpenRemoteFolder));
    EXPECT_THROW(add(ItemKind::Folder, "Not here", folder->Node()), ERemoteParent);

    folder->Refresh();
    ASSERT_EQ(folder->Node()->Count(), 1);
    folder->SetValue(source); // the same location again changes nothing
    EXPECT_EQ(folder->Node()->Count(), 1);
    folder->SetValue(source + ".old.mbd"); // another location clears at once
    EXPECT_EQ(folder->Node()->Count(), 0);
}

TEST_F(RemoteFolderTest, RefreshReadsTheSourceOnlyWhenItChanged)
{
    folder->SetValue(source);
    EXPECT_EQ(folder->LastRefresh(), 0.0);
    // The leaf "Line" at the top of the source would land among the folder's own saved
    // leaves and pile up at every refresh: it is not taken.
    folder->Refresh();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"|Own", "Club", "Club|Desk"}));
    EXPECT_GT(folder->LastRefresh(), 0.0);
    TTreeNode *club = folder->Node()->Child(0);
    EXPECT_TRUE(club->Item()->InRemote());
    EXPECT_THROW(add(ItemKind::Phone, "Not here", club), ERemoteParent);
    EXPECT_FALSE(context().RemoteLoading());

    // New content under the old time stamp is not read: the source did not change. A later time stamp is.
    const QByteArray other = CrLf({"{1 0 }Other~~~~~~9", "{Fold}0"});
    writeSource(other, HoursAgo(1));
    folder->Refresh();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"|Own", "Club", "Club|Desk"}));
    writeSource(other, HoursAgo(-1));
    folder->Refresh();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"|Own", "Other"}));
}

TEST_F(RemoteFolderTest, ANewLocationIsReadAtOnceWhateverItsTime)
{
    bindAndRefresh();
    ASSERT_EQ(Outline(folder->Node()), QStringList({"|Own", "Club", "Club|Desk"}));
    // A source older than the last read, chosen in the folder dialog.
    const QString older = QDir(dir.path()).filePath("older.mbd");
    WriteBytes(older, CrLf({"{1 0 }Archive~~~~~~9", "{Fold}0"}));
    QFile f(older);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(HoursAgo(48), QFileDevice::FileModificationTime));
    f.close();
    services.onEdit = [&](TZEBObject &item, bool) {
        item.SetValue(older);
        return true;
    };
    folder->Edit();
    EXPECT_EQ(Outline(folder->Node()), QStringList({"|Own", "Archive"}));

    // One that cannot be read is reported by the first read after the change, and only then.
    const QString missing = QDir(dir.path()).filePath("missing.mbd");
    services.onEdit = [&](TZEBObject &item, bool) {
        item.SetValue(missing);
        return true;
    };
    try {
        folder->Edit();
        ADD_FAILURE() << "no report";
    } catch (const EInOutError &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Cannot read \"%1\".").arg(missing));
    }
    EXPECT_NO_THROW(folder->Refresh());
    EXPECT_EQ(folder->Node()->Count(), 0);
    // Cancelling the dialog, or keeping the location, reads nothing.
    services.onEdit = {};
    services.editAnswer = false;
    EXPECT_NO_THROW(folder->Edit());
}

TEST_F(RemoteFolderTest, UnreadableOrForeignSourcesLeaveTheFolderEmpty)
{
    // A folder loaded with an unreadable location stays quietly empty.
    Loaded db(CrLf({"{Params}", "{1 0 }Gone~~missing.mbd~~~~5", "{Fold}0"}));
    auto *gone = static_cast<TFolderObject *>(db.top(0)->Item());
    EXPECT_NO_THROW(gone->Refresh());
    EXPECT_EQ(gone->LastRefresh(), 0.0);
    EXPECT_EQ(db.top(0)->Count(), 0);

    const QString text = QDir(dir.path()).filePath("shared.txt");
    QFile::copy(source, text);
    folder->SetValue(text);
    folder->Refresh();
    EXPECT_EQ(folder->Node()->Count(), 0);
    EXPECT_FALSE(nodes.Updating());
}

TEST_F(RemoteFolderTest, SourceThatIsNotRecordsKeepsWhatWasReadBeforeTheError)
{
    writeSource(CrLf({"{1 0 }Club~~~~~~1", "{Fold}0", "garbage here"}), HoursAgo(0));
    folder->SetValue(source);
    EXPECT_THROW(folder->Refresh(), EInOutError);
    EXPECT_EQ(Outline(folder->Node()), QStringList({"|Own", "Club"}));
    EXPECT_FALSE(context().RemoteLoading());
    EXPECT_FALSE(nodes.Updating());
}

TEST_F(RemoteFolderTest, SaveWritesTheFolderRecordOnly)
{
    bindAndRefresh();
    const QByteArray saved = Saved(nodes);
    EXPECT_EQ(saved, CrLf({"{Params}", "{0 11 }My Contacts~~~~~~32892645",
                           QStringLiteral("{1 0 }Shared~~%1~~~~%2").arg(source).arg(folder->Id()).toUtf8().constData(),
                           "{Fold}0", "{2 6 }Own~~9~~~~50", "{Phon}~~0"}));

    // After a start-up the folder is empty until its first refresh.
    Loaded db(saved, &context());
    EXPECT_EQ(db.top(0)->ImageIndex(), ImageIndex(Image::RemoteFolder));
    EXPECT_EQ(Outline(db.top(0)), QStringList({"|Own"}));
    static_cast<TFolderObject *>(db.top(0)->Item())->Refresh();
    EXPECT_EQ(Outline(db.top(0)), QStringList({"|Own", "Club", "Club|Desk"}));
}

TEST_F(RemoteFolderTest, ExportOfARemoteFolderImportsWithoutItsShownContents)
{
    bindAndRefresh();
    ExportSubtree(folder->Node(), "all.mbd");
    EXPECT_TRUE(ReadBytes("all.mbd").contains("Club"));

    TTreeNode *target = add(ItemKind::Folder, "Target", root)->Node();
    ImportFile(target, "all.mbd");
    // The copy reads its contents from the source again; its own leaf came along.
    EXPECT_EQ(Outline(target), QStringList({"Shared", "Shared|Own"}));

    // Importing into a remote folder is refused outright.
    EXPECT_THROW(ImportFile(folder->Node(), "all.mbd"), ERemoteParent);
    EXPECT_FALSE(nodes.Updating());
}

TEST_F(RemoteFolderTest, RemovingTheLocationMakesTheShownItemsLocal)
{
    bindAndRefresh();
    folder->SetValue(QString());
    EXPECT_FALSE(folder->IsRemote());
    EXPECT_EQ(folder->Node()->ImageIndex(), ImageIndex(Image::Folder));
    TTreeNode *club = folder->Node()->Child(0);
    ASSERT_NE(club, nullptr);
    EXPECT_NO_THROW(add(ItemKind::Phone, "New", club));
    EXPECT_TRUE(Saved(nodes).contains("}Club~~"));
}

TEST_F(RemoteFolderTest, TheTreeKnowsOnceARemoteFolderIsPlacedInIt)
{
    EXPECT_FALSE(nodes.MayHoldRemote()); // local folders only
    folder->SetValue(source);
    EXPECT_TRUE(nodes.MayHoldRemote());

    // One made with its location, as a load makes it, marks the tree it lands in.
    TTreeNodes other;
    other.Context().SetServices(&services);
    TTreeNode *top = other.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
    CreateItem(ItemKind::Folder, "Plain", {}, {}, top, "{Fold}0", 0);
    EXPECT_FALSE(other.MayHoldRemote());
    CreateItem(ItemKind::Folder, "Linked", "shared.mbd", {}, top, "{Fold}0", 0);
    EXPECT_TRUE(other.MayHoldRemote());
}

TEST_F(RemoteFolderTest, ASourceThatLeadsBackIsNotReadInsideItself)
{
    // Written another way, the same file still.
    writeSource(CrLf({"{1 0 }Back~~./shared.mbd~~~~1", "{Fold}0", "{1 0 }ToOther~~other.mbd~~~~2", "{Fold}0"}),
                HoursAgo(1));
    WriteBytes("other.mbd", CrLf({"{1 0 }ToShared~~shared.mbd~~~~3", "{Fold}0", "{1 0 }Club~~~~~~4", "{Fold}0"}));
    bindAndRefresh();
    ASSERT_EQ(Outline(folder->Node()), QStringList({"|Own", "Back", "ToOther"}));
    const auto folderAt = [](TTreeNode *node, int row) { return static_cast<TFolderObject *>(node->Child(row)->Item()); };

    TFolderObject *back = folderAt(folder->Node(), 0);
    back->Refresh();
    back->Refresh();
    EXPECT_EQ(back->Node()->Count(), 0);
    EXPECT_EQ(services.infos, QStringList({"The remote folder \"Back\" leads back to \"./shared.mbd\", which is being "
                                           "read already; it is not read again inside itself."}));

    // a -> b -> a
    TFolderObject *toOther = folderAt(folder->Node(), 1);
    toOther->Refresh();
    EXPECT_EQ(Outline(toOther->Node()), QStringList({"Club", "ToShared"}));
    folderAt(toOther->Node(), 1)->Refresh();
    EXPECT_EQ(toOther->Node()->Child(1)->Count(), 0);
    ASSERT_EQ(services.infos.size(), 2);
    EXPECT_TRUE(services.infos.back().contains("\"ToShared\"")) << services.infos.back().toStdString();

    // The same source beside the folder, not inside it, is read as usual.
    auto *beside = static_cast<TFolderObject *>(add(ItemKind::Folder, "Beside", root));
    beside->SetValue("shared.mbd");
    beside->Refresh();
    EXPECT_EQ(beside->Node()->Count(), 2);
    EXPECT_EQ(services.infos.size(), 2);
}

} // namespace
