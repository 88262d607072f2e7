#include "recordfiletestutil.h"
#include "store/databasecontext.h"
#include "store/reminderobject.h"
#include "store/toolitems.h"
#include "support/fakeservices.h"

#include <QDir>
#include <QScopedValueRollback>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One database: a tree, its context with services and a pinned today.
struct Database
{
    explicit Database(const QDate &today)
    {
        nodes.Context().SetServices(&services);
        nodes.Context().SetToday(today);
    }
    void load(const QByteArray &bytes)
    {
        WriteBytes("in.dat", bytes);
        LoadDatabaseFrom(root, "in.dat", RecordFile::OnLoadError::JustThrow);
    }
    TZEBObject *item(int topRow) const { return root->Child(topRow)->Item(); }

    FakeServices services;
    TTreeNodes nodes;
    TTreeNode *root = nodes.AddTop(MakeRootItem(), "My Contacts");
};

class DatabaseContextTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QTemporaryDir dir;
    QString previous;
};

// A folder holding a phone, a reminder due from 6 December 2026 and a tool address, and
// a remote folder.
const QByteArray kFile = CrLf({"{Params}", "{1 0 }F~~~~~~1", "{Fold}0", "{2 6 }Desk~~555-0100~~~~2", "{Phon}~~0",
                               "{2 9 }Renew~~~~~~3", "{Remd}2026,12,6,0~~0", "{2 12 }Run~~x~~~~4",
                               "{Tool}/bin/run~~~~0", "{1 0 }Shared~~nowhere.mbd~~~~5", "{Fold}0"});

} // namespace

TEST_F(DatabaseContextTest, TwoDatabasesSideBySideKeepTheirOwnContexts)
{
    Database before(QDate(2026, 12, 5));
    Database after(QDate(2026, 12, 6));
    after.nodes.Context().Tools().Add(std::make_unique<TToolItem>("Run", "/bin/run", "", "0"));
    before.load(kFile);
    after.load(kFile);

    // Today: the same reminder is due in one and not in the other, made or waiting.
    EXPECT_EQ(before.item(0)->AlertCount(), 0);
    EXPECT_EQ(after.item(0)->AlertCount(), 1);
    TZEBObject *remindBefore = before.item(0)->ChildAt(1);
    TZEBObject *remindAfter = after.item(0)->ChildAt(1);
    EXPECT_FALSE(remindBefore->Alert());
    EXPECT_TRUE(remindAfter->Alert());

    // Services: each phone dials through its own database's.
    before.item(0)->ChildAt(0)->Dial();
    EXPECT_EQ(before.services.calls, QStringList({"dial Desk|555-0100"}));
    EXPECT_TRUE(after.services.calls.filter("dial").isEmpty());

    // Tools: only the database with the tool shows its icon on the tool address.
    EXPECT_EQ(before.item(0)->ChildAt(2)->GetImageIndex(), ImageIndex(Image::Document));
    EXPECT_NE(after.item(0)->ChildAt(2)->GetImageIndex(), ImageIndex(Image::Document));

    // A remote folder's refresh lets items in below it only in its own database, and only
    // for as long as it reads.
    {
        const QScopedValueRollback loading(after.nodes.Context().RemoteLoadingFlag(), true);
        EXPECT_NO_THROW(CreateItem(ItemKind::Phone, "In", "1", {}, after.root->Child(1), {}, 0));
        EXPECT_THROW(CreateItem(ItemKind::Phone, "In", "1", {}, before.root->Child(1), {}, 0), ERemoteParent);
    }
    EXPECT_THROW(CreateItem(ItemKind::Phone, "In", "1", {}, after.root->Child(1), {}, 0), ERemoteParent);
}

TEST_F(DatabaseContextTest, AnItemOutsideAnyTreeReachesNoDatabase)
{
    Database db(QDate(2001, 1, 1));
    auto loose = MakeItem(ItemKind::Phone, "Caller", "555-0100", {}, "{Phon}~~0", 7);
    EXPECT_EQ(&loose->Context(), &DatabaseContext::Detached());
    loose->Dial();
    EXPECT_TRUE(db.services.calls.isEmpty());
}
