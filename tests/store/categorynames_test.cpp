#include "store/categorynames.h"

#include "platform/profile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CategoryNames, ReadFromTheSettingsWithDefaults)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zeb.ini");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Categories]\r\nCat1=Family\r\nCat2=\r\ncat32=Last one\r\nCat33=Beyond\r\nCat0=Before\r\n");
    f.close();

    const QStringList names = ReadCategoryNames(Profile(path));
    ASSERT_EQ(names.size(), CategoryCount);
    EXPECT_EQ(names.at(0), "Family");
    EXPECT_EQ(names.at(1), "User Defined 2"); // empty counts as missing
    EXPECT_EQ(names.at(2), "User Defined 3");
    EXPECT_EQ(names.at(31), "Last one");
    EXPECT_FALSE(names.contains("Beyond"));
    EXPECT_FALSE(names.contains("Before"));

    const QStringList defaults = ReadCategoryNames(Profile(dir.filePath("missing.ini")));
    ASSERT_EQ(defaults.size(), 32);
    EXPECT_EQ(defaults.front(), "User Defined 1");
    EXPECT_EQ(defaults.back(), "User Defined 32");
}

TEST(CategoryNames, Bits)
{
    EXPECT_EQ(CategoryBit(1), 1);
    EXPECT_EQ(CategoryBit(5), 16);
    EXPECT_EQ(CategoryBit(32), qint32(0x80000000u));
    EXPECT_LT(CategoryBit(32), 0);
    EXPECT_EQ(CategoryBit(0), 0);
    EXPECT_EQ(CategoryBit(33), 0);
    EXPECT_TRUE(HasCategory(qint32(0x80000001u), 32));
    EXPECT_TRUE(HasCategory(qint32(0x80000001u), 1));
    EXPECT_FALSE(HasCategory(qint32(0x80000001u), 2));
}
