#include "platform/registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kDialer = QStringLiteral("Software\\Quenfold\\Dialer");
}

TEST(Registry, OpenWithAndWithoutCreating)
{
    QTemporaryDir dir;
    Registry reg(dir.filePath("registry.ini"));
    EXPECT_FALSE(reg.openKey(kDialer, false));
    EXPECT_FALSE(reg.errorString().isEmpty());
    EXPECT_FALSE(reg.writeString("Location", "Home")); // no key open
    ASSERT_TRUE(reg.openKey(kDialer, true));
    EXPECT_TRUE(reg.keyExists("\\software\\QUENFOLD\\"));
    // A key made empty still exists for the next reader.
    Registry other(dir.filePath("registry.ini"));
    EXPECT_TRUE(other.openKey("SOFTWARE\\quenfold\\dialer", false));
}

TEST(Registry, StringAndDwordValues)
{
    QTemporaryDir dir;
    const QString odd = QStringLiteral("  a \"quoted\" C:\\path\\ with\r\nbreak = ; [x] ");
    {
        Registry reg(dir.filePath("registry.ini"));
        ASSERT_TRUE(reg.openKey(kDialer, true));
        ASSERT_TRUE(reg.writeInteger("DeviceID", -2));
        ASSERT_TRUE(reg.writeString("Odd", odd));
        ASSERT_TRUE(reg.writeString("Empty", ""));
    }
    Registry reg(dir.filePath("registry.ini"));
    ASSERT_TRUE(reg.openKey(kDialer, false));
    EXPECT_EQ(reg.readInteger("deviceid"), -2);
    EXPECT_EQ(reg.readString("ODD"), odd);
    EXPECT_EQ(reg.readString("Empty"), QString(""));
    EXPECT_FALSE(reg.readString("DeviceID").has_value()); // wrong type
    EXPECT_FALSE(reg.readInteger("Odd").has_value());
    EXPECT_FALSE(reg.readString("Missing").has_value());
}

TEST(Registry, SubKeysAndRecursiveDelete)
{
    QTemporaryDir dir;
    Registry reg(dir.filePath("registry.ini"));
    ASSERT_TRUE(reg.openKey(kDialer + "\\Home", true));
    ASSERT_TRUE(reg.writeString("AreaCode", "555"));
    ASSERT_TRUE(reg.openKey(kDialer + "\\Office\\Deep", true));
    ASSERT_TRUE(reg.openKey(kDialer + "\\home", true)); // existing key, other case
    ASSERT_TRUE(reg.openKey(kDialer, false));
    EXPECT_EQ(reg.keyNames(), QStringList({"Home", "Office"}));

    ASSERT_TRUE(reg.deleteKey(kDialer + "\\OFFICE"));
    EXPECT_FALSE(reg.keyExists(kDialer + "\\Office\\Deep"));
    ASSERT_TRUE(reg.openKey(kDialer, false));
    EXPECT_EQ(reg.keyNames(), QStringList({"Home"}));
    EXPECT_FALSE(reg.deleteKey(kDialer + "\\Office"));

    ASSERT_TRUE(reg.openKey(kDialer + "\\Home", false));
    EXPECT_EQ(reg.readString("AreaCode"), QString("555"));
    ASSERT_TRUE(reg.deleteKey(kDialer));
    EXPECT_TRUE(reg.currentKey().isEmpty()); // the open key went with it
    EXPECT_FALSE(reg.keyExists(kDialer + "\\Home"));
    EXPECT_TRUE(reg.keyExists("Software\\Quenfold"));
}
