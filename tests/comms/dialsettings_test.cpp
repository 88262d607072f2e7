// Dialing settings in the registry stand-in: locations, values, failures.
#include "comms/dialsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kDialer = QStringLiteral("Software\\Quenfold\\Dialer");
}

TEST(DialSettings, FreshSettingsMakeTheDefaultLocation)
{
    QTemporaryDir dir;
    TDialSettings s(dir.filePath("registry.ini"));
    EXPECT_EQ(s.Locations(), QStringList{"Default Location"}); // no key yet
    s.Load();
    EXPECT_EQ(s.Location, "Default Location");
    EXPECT_EQ(s.DeviceID, 0);
    EXPECT_EQ(s.DialMode, TDialMode::dmTone);
    EXPECT_FALSE(s.UseCard);
    Registry reg(dir.filePath("registry.ini"));
    EXPECT_TRUE(reg.keyExists(kDialer + "\\Default Location"));
}

TEST(DialSettings, SaveAndLoadEveryField)
{
    QTemporaryDir dir;
    TDialSettings s(dir.filePath("registry.ini"));
    ASSERT_TRUE(s.SetLocation("Office"));
    s.DeviceID = 2;
    s.DeviceName = "/dev/ttyACM1";
    s.AreaCode = "212";
    s.LocalPrefix = "9";
    s.LongPrefix = "8";
    s.DialMode = TDialMode::dmPulse;
    s.UseCard = true;
    s.Service = "Calling Card via 0";
    s.CardNumber = "1234";
    s.Code = "0 N $1234";
    ASSERT_TRUE(s.Save()) << s.ErrorString().toStdString();

    TDialSettings t(dir.filePath("registry.ini"));
    t.Load();
    EXPECT_EQ(t.Location, "Office");
    EXPECT_EQ(t.DeviceID, 2);
    EXPECT_EQ(t.DeviceName, "/dev/ttyACM1");
    EXPECT_EQ(t.AreaCode, "212");
    EXPECT_EQ(t.LocalPrefix, "9");
    EXPECT_EQ(t.LongPrefix, "8");
    EXPECT_EQ(t.DialMode, TDialMode::dmPulse);
    EXPECT_TRUE(t.UseCard);
    EXPECT_EQ(t.Service, "Calling Card via 0");
    EXPECT_EQ(t.CardNumber, "1234");
    EXPECT_EQ(t.Code, "0 N $1234");

    Registry reg(dir.filePath("registry.ini"));
    ASSERT_TRUE(reg.openKey(kDialer + "\\Office", false));
    EXPECT_EQ(reg.readInteger("DialMode"), 1);
    EXPECT_EQ(reg.readInteger("UseCard"), 1);
    EXPECT_EQ(reg.readString("Number"), QString("1234"));

    // A new location starts empty but keeps tone/pulse and the card flag.
    ASSERT_TRUE(t.SetLocation("Cabin"));
    t.Load();
    EXPECT_EQ(t.AreaCode, "");
    EXPECT_EQ(t.Code, "");
    EXPECT_EQ(t.DialMode, TDialMode::dmPulse);
    EXPECT_TRUE(t.UseCard);
    EXPECT_EQ(t.Locations(), QStringList({"Office", "Cabin"}));
}

TEST(DialSettings, MissingModeOrCardKeepsBoth)
{
    QTemporaryDir dir;
    Registry reg(dir.filePath("registry.ini"));
    ASSERT_TRUE(reg.openKey(kDialer + "\\Home", true));
    ASSERT_TRUE(reg.writeInteger("DialMode", 1)); // UseCard missing
    ASSERT_TRUE(reg.writeString("AreaCode", "415"));
    TDialSettings s(dir.filePath("registry.ini"));
    s.UseCard = true;
    ASSERT_TRUE(s.SetLocation("Home"));
    s.Load();
    EXPECT_EQ(s.AreaCode, "415");
    EXPECT_EQ(s.DialMode, TDialMode::dmTone);
    EXPECT_TRUE(s.UseCard);
}

TEST(DialSettings, ReloadFollowsALocationSwitchSavedElsewhere)
{
    QTemporaryDir dir;
    TDialSettings global(dir.filePath("registry.ini"));
    global.Load();
    TDialSettings options(dir.filePath("registry.ini"));
    options = global;
    ASSERT_TRUE(options.SetLocation("Office"));
    options.AreaCode = "617";
    ASSERT_TRUE(options.Save());

    global.Reload();
    EXPECT_EQ(global.Location, "Office");
    EXPECT_EQ(global.AreaCode, "617");
}

TEST(DialSettings, BadNamesAreRefusedAndEmptyNeverSaved)
{
    QTemporaryDir dir;
    TDialSettings s(dir.filePath("registry.ini"));
    s.Load();
    for (const QString &bad : {QString(), QString("   "), QString("Home\\Sub"), QString("\\")}) {
        EXPECT_FALSE(TDialSettings::IsValidLocationName(bad));
        EXPECT_FALSE(s.SetLocation(bad));
        EXPECT_EQ(s.Location, "Default Location");
        EXPECT_FALSE(s.DeleteLocation(bad));
    }
    EXPECT_TRUE(TDialSettings::IsValidLocationName(" Home "));

    // The same name in other letters is the existing location, as spelled in the list.
    ASSERT_TRUE(s.SetLocation("Office"));
    ASSERT_TRUE(s.SetLocation("OFFICE"));
    EXPECT_EQ(s.Location, "Office");
    EXPECT_EQ(s.Locations(), QStringList({"Default Location", "Office"}));
    ASSERT_TRUE(s.SetLocation("Default Location"));

    // After deleting the shown location nothing is selected: saving then is refused
    // instead of writing its values into the parent key.
    ASSERT_TRUE(s.DeleteLocation("Default Location"));
    s.Location.clear();
    s.AreaCode = "999";
    EXPECT_FALSE(s.Save());
    EXPECT_FALSE(s.ErrorString().isEmpty());
    Registry reg(dir.filePath("registry.ini"));
    ASSERT_TRUE(reg.openKey(kDialer, false));
    EXPECT_FALSE(reg.valueExists("AreaCode"));
    EXPECT_FALSE(s.DeleteLocation("Nowhere"));
}

TEST(DialSettings, AFailedWriteIsReported)
{
    QTemporaryDir dir;
    // The registry file's directory is a plain file: nothing can be written there.
    QFile blocker(dir.filePath("config"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TDialSettings s(dir.filePath("config/registry.ini"));
    EXPECT_FALSE(s.SetLocation("Home"));
    EXPECT_FALSE(s.ErrorString().isEmpty());
    s.Location = "Home";
    s.AreaCode = "1";
    EXPECT_FALSE(s.Save());
    EXPECT_FALSE(s.ErrorString().isEmpty());
}

TEST(DialSettings, DeviceFoundByNameBeforePosition)
{
    QTemporaryDir dir;
    TDialSettings s(dir.filePath("registry.ini"));
    s.DeviceID = 1;
    s.DeviceName = "/dev/ttyUSB0";
    EXPECT_EQ(s.DeviceIndex({"/dev/ttyACM0", "/dev/ttyS0", "/dev/ttyUSB0"}), 2);
    // Unknown name: the position, when there is one.
    s.DeviceName = "/dev/gone";
    EXPECT_EQ(s.DeviceIndex({"/dev/ttyACM0", "/dev/ttyS0"}), 1);
    EXPECT_EQ(s.DeviceIndex({"/dev/ttyACM0"}), -1);
}
