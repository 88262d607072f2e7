#include <gtest/gtest.h>

#include "store/personobject.h"
#include "store/phoneobject.h"
#include "store/recordfile.h"
#include "support/storefixture.h"

#include <QFile>

namespace {

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// Root > folder Friends > person Kim Sample with a phone Home.
const QByteArray kExample = "{Params}\r\n"
                            "{0 11 }My Contacts~~~~~~32892645\r\n"
                            "{1 0 }Friends~~~~~~123456\r\n"
                            "{Fold}0\r\n"
                            "{2 3 }Kim Sample~~ Kim Sample~~~~234567\r\n"
                            "{Pers}~~Kim~~~~Sample~~~~Home~~~~~~~~0\r\n"
                            "{3 6 }Home~~555-0100~~~~345678\r\n"
                            "{Phon}~~0\r\n";

using RecordExampleTest = StoreFixture;

} // namespace

TEST_F(RecordExampleTest, EightLinesLoadIntoTheTreeAndSaveBackByteForByte)
{
    writeFile(RecordFile::DatabaseName, kExample);
    LoadDatabase(root);

    ASSERT_EQ(root->Count(), 1);
    TTreeNode *friends = root->Child(0);
    EXPECT_EQ(friends->Item()->Kind(), Kinds::Folder);
    EXPECT_EQ(friends->Item()->Id(), 123456);
    ASSERT_EQ(friends->Count(), 1);

    auto *kim = dynamic_cast<TPersonObject *>(friends->Child(0)->Item());
    ASSERT_NE(kim, nullptr);
    EXPECT_EQ(kim->Title(), "Kim Sample");
    EXPECT_EQ(kim->Value(), " Kim Sample");
    EXPECT_EQ(kim->FirstName(), "Kim");
    EXPECT_EQ(kim->LastName(), "Sample");
    EXPECT_TRUE(kim->Salutation().isEmpty());
    EXPECT_EQ(kim->PrimaryPhone(), "Home");
    EXPECT_EQ(kim->Id(), 234567);

    ASSERT_EQ(kim->ChildCount(), 1);
    auto *home = dynamic_cast<TPhoneObject *>(kim->ChildAt(0));
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->Value(), "555-0100");
    EXPECT_EQ(home->Id(), 345678);
    EXPECT_EQ(kim->PrimaryChild(Kinds::Phone), home);

    SaveDatabase(nodes);
    EXPECT_EQ(readFile(RecordFile::DatabaseName), kExample);
}
