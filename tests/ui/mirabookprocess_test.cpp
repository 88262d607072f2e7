// The built desktop program, started as a user would start it.
#ifdef MIRABOOK_BIN

#include "platform/instancelock.h"
#include "platform/profile.h"
#include "store/recordfile.h"
#include "support/filebytes.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

class MirabookProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(userDir.isValid());
        // An exported database in the directory the user starts from.
        WriteBytes(userDir.filePath("friends.mbd"),
                   CrLf({"{1 0 }Imported Friends~~~~~~1", "{Fold}0", "{2 0 }Chess Club~~~~~~2", "{Fold}0"}));
    }

    void TearDown() override
    {
        for (QProcess *p : {&first, &second})
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
    }

    void start(QProcess &process, const QStringList &arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MIRABOOK_HOME", home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(userDir.path());
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(MIRABOOK_BIN), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // The first copy is running once it holds its lock.
    void waitUntilRunning()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return InstanceLock::holderPid(home.path()) == first.processId(); }, 20000));
    }

    void endWith(int signalNumber)
    {
        ::kill(pid_t(first.processId()), signalNumber);
        ASSERT_TRUE(first.waitForFinished(20000));
        EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(first.exitCode(), 0);
    }

    QByteArray database() const { return ReadBytes(QDir(home.path()).filePath(RecordFile::DatabaseName)); }

    QTemporaryDir home, userDir;
    QProcess first, second;
};

} // namespace

TEST_F(MirabookProcessTest, SecondStartHandsItsFileToTheRunningCopyAndEnds)
{
    start(first, {"HIDEWIN"});
    waitUntilRunning();
    // A relative name, meant in the directory the second start was made from.
    start(second, {"friends.mbd", "LIST.MBD", "notes.txt"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    endWith(SIGTERM);
    const QByteArray saved = database();
    EXPECT_TRUE(saved.startsWith("{Params}\r\n"));
    EXPECT_TRUE(saved.contains("Imported Friends"));
    EXPECT_TRUE(saved.contains("Chess Club"));
    // Both layouts were written at the end, and the lock was let go.
    EXPECT_EQ(Profile(QDir(home.path()).filePath("zeb.ini")).sectionKeys("WinState").size(), 28);
    EXPECT_FALSE(QFile::exists(QDir(home.path()).filePath("mirabook.lock")));
}

TEST_F(MirabookProcessTest, HiddenStartImportsItsOwnFilesOnlyWhenFirstShown)
{
    start(first, {"HIDEWIN", "friends.mbd"});
    waitUntilRunning();
    endWith(SIGINT);
    EXPECT_TRUE(database().contains("My Contacts"));
    EXPECT_FALSE(database().contains("Imported Friends"));

    // The same start, then shown by a later start without files.
    start(first, {"HIDEWIN", "friends.mbd"});
    waitUntilRunning();
    start(second, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    endWith(SIGHUP);
    EXPECT_TRUE(database().contains("Imported Friends"));
}

TEST_F(MirabookProcessTest, HelpAndVersionAnswerWithoutADisplayOrTheRunningCopy)
{
    // As from a text console or a package check: no display, no data directory yet.
    const QString unmade = QDir(home.path()).filePath("unmade");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    env.insert("MIRABOOK_HOME", unmade);
    second.setProcessEnvironment(env);
    second.start(QStringLiteral(MIRABOOK_BIN), {"--version"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardOutput(), "mirabook (Mirabook) " MIRABOOK_VERSION "\n");
    EXPECT_FALSE(QFile::exists(unmade));

    // A running copy is not handed the question.
    start(first, {"HIDEWIN"});
    waitUntilRunning();
    start(second, {"friends.mbd", "--help"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    const QByteArray help = second.readAllStandardOutput();
    EXPECT_TRUE(help.startsWith("usage: mirabook")) << help.constData();
    EXPECT_TRUE(help.contains("--version"));
    endWith(SIGTERM);
    EXPECT_FALSE(database().contains("Imported Friends"));
}

#endif
