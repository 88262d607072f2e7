#include "recordfiletestutil.h"
#include "store/pendingleaves.h"
#include "store/recordsource.h"
#include "support/storefixture.h"

namespace {

// A database as the program writes it, large enough to be read through a mapping.
QByteArray largeDatabase(int persons)
{
    QByteArray out = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Friends~~~~~~7\r\n{Fold}0\r\n";
    for (int i = 1; i <= persons; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(6, '0');
        const QByteArray id = QByteArray::number(1000 + 4 * i);
        out += "{2 3 }Person " + n + "~~ Ann Person~~~~" + id + "\r\n{Pers}~~Ann~~~~P" + n +
               "~~Home~~Home~~~~~~~~3\r\n";
        out += "{3 5 }Home~~" + n + " Main Street~~~~" + QByteArray::number(1001 + 4 * i) + "\r\n{Addr}" + n +
               " Main Street~~~~~~Springfield~~ST~~" + n + "~~Country~~0\r\n";
        out += "{3 6 }Home~~555-" + n + "~~~~" + QByteArray::number(1002 + 4 * i) + "\r\n{Phon}~~0\r\n";
        out += "{3 9 }Birthday~~1/1/2001~~~~" + QByteArray::number(1003 + 4 * i) + "\r\n{Remd}2001,1," +
               QByteArray::number(1 + i % 28) + ",2~~0\r\n";
    }
    return out;
}

using LargeFileTest = StoreFixture;

TEST_F(LargeFileTest, ALargeDatabaseLoadsFromItsOwnCopyAndSavesBackUnchanged)
{
    context().SetToday(QDate(2030, 1, 1)); // every birthday of 2001 is due
    const int persons = 25000;
    const QByteArray bytes = largeDatabase(persons);
    ASSERT_GT(bytes.size(), 6 << 20);
    WriteBytes(RecordFile::DatabaseName, bytes);

    LoadDatabase(root);
    ASSERT_EQ(root->Count(), 1);
    TTreeNode *friends = root->Child(0);
    ASSERT_EQ(friends->Count(), persons);
    EXPECT_EQ(friends->Item()->AlertCount(), persons);

    // The file is no longer needed once loaded: changing it cannot reach the tree.
    TZEBObject *last = friends->Child(persons - 1)->Item();
    ASSERT_NE(last->Pending(), nullptr);
    EXPECT_EQ(last->Pending()->source->mapped, nullptr);
    WriteBytes(RecordFile::DatabaseName, "{Params}\r\n");

    ASSERT_EQ(last->ChildCount(), 3);
    EXPECT_EQ(last->ChildAt(1)->Value(), "555-025000");
    EXPECT_EQ(last->ChildAt(2)->Id(), 1000 + 4 * persons + 3);
    EXPECT_EQ(static_cast<TPersonObject *>(last)->LastName(), "P025000");
    EXPECT_EQ(last->Categories(), 3);
    EXPECT_EQ(friends->Item()->AlertCount(), persons);

    EXPECT_EQ(Saved(nodes), bytes);
}

TEST_F(LargeFileTest, AShortLivedReaderKeepsTheFileMappedAndSavesTheSame)
{
    const int persons = 25000;
    const QByteArray bytes = largeDatabase(persons);
    WriteBytes(RecordFile::DatabaseName, bytes);
    context().SetKeepsFilesMapped(true);
    LoadDatabase(root);
    TTreeNode *friends = root->Child(0);
    ASSERT_EQ(friends->Count(), persons);
    TZEBObject *last = friends->Child(persons - 1)->Item();
    ASSERT_NE(last->Pending(), nullptr);
    EXPECT_NE(last->Pending()->source->mapped, nullptr);
    // A save replaces the file by a new one: the mapped one stays whole under the tree.
    EXPECT_EQ(Saved(nodes), bytes);
    EXPECT_EQ(static_cast<TPersonObject *>(last)->LastName(), "P025000");
    ASSERT_EQ(last->ChildCount(), 3);
    EXPECT_EQ(last->ChildAt(1)->Value(), "555-025000");
    EXPECT_EQ(Saved(nodes), bytes);
}

} // namespace
