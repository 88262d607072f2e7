// The "Dialing Properties" dialog's logic: locations, the device, the card format, OK.
#include "comms/dialsetup.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kDialer = QStringLiteral("Software\\Quenfold\\Dialer");
const QStringList kDevices{"/dev/ttyACM0", "/dev/ttyUSB0"};

struct DialSetup : ::testing::Test
{
    QTemporaryDir dir;
    QString file = dir.filePath("registry.ini");
    TDialSettings settings{file};
    DialSetupState state{settings, kDevices};
};

} // namespace

TEST_F(DialSetup, AFreshRegistryShowsTheDefaultLocationAlone)
{
    state.Show();
    EXPECT_EQ(state.locations(), QStringList{"Default Location"});
    EXPECT_EQ(state.selectedLocation(), 0);
    EXPECT_FALSE(state.deleteEnabled());
    EXPECT_EQ(state.fields.device, 0);
    EXPECT_EQ(state.fields.service, 0);
    EXPECT_EQ(state.fields.dialMode, TDialMode::dmTone);
}

TEST_F(DialSetup, NewLocationsStartEmptyAndInheritModeAndCard)
{
    state.Show();
    state.fields.dialMode = TDialMode::dmPulse;
    state.fields.useCard = true;
    state.fields.areaCode = "212";
    ASSERT_TRUE(state.Accept());

    ASSERT_TRUE(state.NewLocation("Office"));
    EXPECT_EQ(state.locations(), (QStringList{"Default Location", "Office"}));
    EXPECT_EQ(state.selectedLocation(), 1);
    EXPECT_TRUE(state.deleteEnabled());
    EXPECT_EQ(state.fields.areaCode, "");
    EXPECT_EQ(state.fields.dialMode, TDialMode::dmPulse);
    EXPECT_TRUE(state.fields.useCard);
    EXPECT_TRUE(Registry(file).keyExists(kDialer + "\\Office"));

    // Back to the first: its stored values come back.
    ASSERT_TRUE(state.SelectLocation(0));
    EXPECT_EQ(state.fields.areaCode, "212");
}

TEST_F(DialSetup, BadAndDuplicateNamesAddNothing)
{
    state.Show();
    ASSERT_TRUE(state.NewLocation("Office"));
    ASSERT_TRUE(state.SelectLocation(0));
    // Another case of a listed name selects it.
    EXPECT_TRUE(state.NewLocation("OFFICE"));
    EXPECT_EQ(state.locations().size(), 2);
    EXPECT_EQ(state.selectedLocation(), 1);
    for (const QString &bad : {QStringLiteral("   "), QStringLiteral("Home\\Away")}) {
        EXPECT_FALSE(state.NewLocation(bad)) << bad.toStdString();
        EXPECT_FALSE(state.errorString().isEmpty());
    }
    EXPECT_EQ(state.locations().size(), 2);
    EXPECT_FALSE(Registry(file).keyExists(kDialer + "\\Home"));
    // Cancelled name dialog: nothing happens, no error.
    EXPECT_FALSE(state.NewLocation(QString()));
    EXPECT_TRUE(state.errorString().isEmpty());
}

TEST_F(DialSetup, DeleteLeavesALocationThatOkSaves)
{
    state.Show();
    ASSERT_TRUE(state.NewLocation("Office"));
    state.fields.areaCode = "617";
    ASSERT_TRUE(state.Accept());
    ASSERT_TRUE(state.NewLocation("Cabin"));
    ASSERT_TRUE(state.SelectLocation(1)); // Office
    ASSERT_TRUE(state.DeleteSelected());
    EXPECT_EQ(state.locations(), (QStringList{"Default Location", "Cabin"}));
    EXPECT_EQ(state.selectedLocation(), 0);
    EXPECT_FALSE(Registry(file).keyExists(kDialer + "\\Office"));
    ASSERT_TRUE(state.Accept());

    TDialSettings reread(file);
    reread.Load();
    EXPECT_EQ(reread.Location, "Default Location");
    Registry reg(file);
    ASSERT_TRUE(reg.openKey(kDialer, false));
    // Nothing of a location went into the parent key.
    EXPECT_FALSE(reg.valueExists("AreaCode"));
    // The last location cannot be deleted.
    ASSERT_TRUE(state.DeleteSelected());
    EXPECT_FALSE(state.deleteEnabled());
    EXPECT_FALSE(state.DeleteSelected());
}

TEST_F(DialSetup, TheDeviceIsKeptByItsName)
{
    state.Show();
    state.fields.device = 1;
    ASSERT_TRUE(state.Accept());
    EXPECT_EQ(settings.DeviceName, "/dev/ttyUSB0");

    // The first modem is gone: the chosen one is found at its new place.
    TDialSettings later(file);
    DialSetupState again(later, {"/dev/ttyUSB0"});
    again.Show();
    EXPECT_EQ(again.fields.device, 0);
    // With no modem at all, none is shown and OK keeps the stored one.
    TDialSettings third(file);
    DialSetupState missing(third, {});
    missing.Show();
    EXPECT_EQ(missing.fields.device, -1);
    ASSERT_TRUE(missing.Accept());
    EXPECT_EQ(third.DeviceName, "/dev/ttyUSB0");
}
