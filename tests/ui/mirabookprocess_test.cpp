// The built desktop program, started as a user would start it.
#ifdef MIRABOOK_BIN

#include "platform/instancelock.h"
#include "platform/profile.h"
#include "store/itemfactory.h"
#include "store/kinds.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QDir>
#include <QFile>
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
        TTreeNodes nodes;
        TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
        TZEBObject *folder = CreateItem(Kinds::Folder, QStringLiteral("Imported Friends"), QString(), QString(),
                                        root, QString(), 0);
        CreateItem(Kinds::Folder, QStringLiteral("Chess Club"), QString(), QString(), folder->Node(), QString(), 0);
        ExportSubtree(folder->Node(), userDir.filePath("friends.mbd"), false);
        ASSERT_TRUE(QFile::exists(userDir.filePath("friends.mbd")));
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

    QByteArray database() const
    {
        QFile f(QDir(home.path()).filePath(RecordFile::DatabaseName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

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

#endif
