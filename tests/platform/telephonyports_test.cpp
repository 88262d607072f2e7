// Where modems are looked for: answering serial devices and the ports zeb.ini lists.
#include "platform/profile.h"
#include "platform/telephonyports.h"
#include "support/fakemodem.h"

#include <QFile>
#include <QThread>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ModemPorts, ListedPortsComeFromTheTelephonySection)
{
    QTemporaryDir dir;
    QFile ini(dir.filePath("zeb.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[telephony]\r\nports = /dev/pts/7, /dev/ttyUSB3,,/dev/pts/7 \r\n");
    ini.close();
    const Profile settings(dir.filePath("zeb.ini"));
    EXPECT_EQ(ModemPorts::listedPorts(settings), QStringList({"/dev/pts/7", "/dev/ttyUSB3"}));
    EXPECT_TRUE(ModemPorts::listedPorts(Profile(dir.filePath("none.ini"))).isEmpty());
}

TEST(ModemPorts, SilentDevicesAndNonTerminalsAreSkippedListedPortsKept)
{
    ensureCoreApplication();
    FakeModem mute; // answers nothing: the probe runs without the event loop
    ASSERT_TRUE(mute.isValid());
    QTemporaryDir dev;
    ASSERT_TRUE(QFile::link(mute.path(), dev.filePath("ttyUSB0")));
    QFile plain(dev.filePath("ttyS0")); // no terminal at all
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    // A listed port is taken as it is, pseudo-terminal or not.
    EXPECT_EQ(ModemPorts::find(dev.path(), {"/dev/listed0", mute.path()}), QStringList({"/dev/listed0", mute.path()}));
    EXPECT_EQ(ModemPorts::find(dev.path(), {}), QStringList());
    // The silent terminal was asked each time.
    EXPECT_TRUE(mute.waitForCommands(2));
    EXPECT_EQ(mute.commands(), QList<QByteArray>({"AT", "AT"}));
}

TEST(ModemPorts, ADeviceThatAnswersOkCounts)
{
    ensureCoreApplication();
    // The probe waits without the event loop, so this modem answers from a thread of its own.
    QThread thread;
    QObject home;
    home.moveToThread(&thread);
    thread.start();
    std::unique_ptr<FakeModem> modem;
    QMetaObject::invokeMethod(&home, [&] { modem = std::make_unique<FakeModem>(); }, Qt::BlockingQueuedConnection);
    ASSERT_TRUE(modem && modem->isValid());
    // Silent terminals before and after it, all asked together.
    FakeModem muteA, muteB;
    ASSERT_TRUE(muteA.isValid() && muteB.isValid());
    QTemporaryDir dev;
    ASSERT_TRUE(QFile::link(muteA.path(), dev.filePath("ttyACM0")));
    ASSERT_TRUE(QFile::link(modem->path(), dev.filePath("ttyACM1")));
    ASSERT_TRUE(QFile::link(muteB.path(), dev.filePath("ttyS0")));
    EXPECT_EQ(ModemPorts::find(dev.path(), {}), QStringList{dev.filePath("ttyACM1")});
    EXPECT_TRUE(muteA.waitForCommands(1));
    EXPECT_TRUE(muteB.waitForCommands(1));
    QMetaObject::invokeMethod(&home, [&] { modem.reset(); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}
