#include "store/categorynames.h"

#include "platform/profile.h"
#include "support/filebytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CategoryNames, ReadFromTheSettingsWithDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zeb.ini");
    WriteBytes(path, "[Categories]\r\nCat1=Family\r\nCat2=\r\ncat32=Last one\r\nCat33=Beyond\r\nCat0=Before\r\n");
    const QStringList names = ReadCategoryNames(Profile(path));
    ASSERT_EQ(names.size(), CategoryCount);
    EXPECT_EQ(names.at(0), "Family");
    EXPECT_EQ(names.at(1), "User Defined 2"); // empty counts as missing
    EXPECT_EQ(names.at(31), "Last one");
    EXPECT_FALSE(names.contains("Beyond") || names.contains("Before"));
    EXPECT_EQ(ReadCategoryNames(Profile(dir.filePath("missing.ini"))).back(), "User Defined 32");
}

TEST(CategoryNames, TheThirtySecondBitIsTheSignBit)
{
    EXPECT_EQ(CategoryBit(32), qint32(0x80000000u));
    EXPECT_EQ(CategoryBit(0), 0);
    EXPECT_EQ(CategoryBit(33), 0);
    EXPECT_TRUE(HasCategory(qint32(0x80000001u), 32));
    EXPECT_TRUE(HasCategory(qint32(0x80000001u), 1));
    EXPECT_FALSE(HasCategory(qint32(0x80000001u), 2));
}
