#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "support/filebytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Sets or clears an environment variable for one test and puts it back after.
class EnvGuard
{
public:
    EnvGuard(const char *name, const QByteArray &value)
        : m_name(name), m_old(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt)
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
    ~EnvGuard() { m_old ? qputenv(m_name, *m_old) : qunsetenv(m_name); }

private:
    const char *m_name;
    std::optional<QByteArray> m_old;
};

} // namespace

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
