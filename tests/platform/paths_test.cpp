#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "support/envguard.h"
#include "support/filebytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Paths, MirabookHomeOrXdgDirectories)
{
    QTemporaryDir tmp;
    {
        const QString home = tmp.filePath("home/mb");
        EnvGuard env("MIRABOOK_HOME", home.toUtf8());
        EXPECT_EQ(Paths::configDir(), home);
        EXPECT_TRUE(QDir(home).exists());
        EXPECT_EQ(settingsFilePath(), home + "/zeb.ini");
        EXPECT_EQ(registryFilePath(), home + "/registry.ini");
    }
    EnvGuard home("MIRABOOK_HOME", QByteArray());
    EnvGuard data("XDG_DATA_HOME", tmp.filePath("data").toUtf8());
    EnvGuard config("XDG_CONFIG_HOME", tmp.filePath("config").toUtf8());
    EXPECT_EQ(Paths::dataDir(), tmp.filePath("data/mirabook"));
    EXPECT_EQ(Paths::configDir(), tmp.filePath("config/mirabook"));
    EXPECT_TRUE(QDir(tmp.filePath("config/mirabook")).exists());
}

TEST(Paths, HomeOverrideWinsAndEnterDataDirChangesDirectory)
{
    QTemporaryDir tmp;
    EnvGuard env("MIRABOOK_HOME", tmp.filePath("fromenv").toUtf8());
    const QString before = QDir::currentPath();
    Paths::setHomeOverride(tmp.filePath("cli"));
    EXPECT_EQ(Paths::configDir(), tmp.filePath("cli"));
    QString error;
    EXPECT_TRUE(Paths::enterDataDir(&error)) << error.toStdString();
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(tmp.filePath("cli")).canonicalPath());
    Paths::setHomeOverride(QString());
    EXPECT_EQ(Paths::dataDir(), tmp.filePath("fromenv"));
    QDir::setCurrent(before);

    // A directory that cannot be made is reported.
    WriteBytes(tmp.filePath("file"), "");
    Paths::setHomeOverride(tmp.filePath("file/sub"));
    EXPECT_FALSE(Paths::enterDataDir(&error));
    EXPECT_FALSE(error.isEmpty());
    Paths::setHomeOverride(QString());
}

TEST(Paths, RelativeHomeStaysWhereTheProgramStarted)
{
    QTemporaryDir tmp;
    const QString before = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    EnvGuard env("MIRABOOK_HOME", "relative-home");
    const QString expected = QDir(tmp.path()).absoluteFilePath("relative-home");
    ASSERT_TRUE(Paths::enterDataDir());
    EXPECT_EQ(Paths::configDir(), expected);
    EXPECT_EQ(Paths::dataDir(), expected);
    QDir::setCurrent(before);
}
