#include "platform/instancelock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/wait.h>
#include <utility>
#include <unistd.h>

namespace {

// A second process that takes the lock, reports whether it got it, and then
// waits for the parent before it exits without releasing anything.
class LockHolder
{
public:
    explicit LockHolder(const QString &dataDir, InstanceLock::Holder as = InstanceLock::Holder::Desktop)
    {
        int up[2], down[2];
        if (pipe(up) != 0 || pipe(down) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            ::close(down[1]); // so that the parent's close ends the read below
            InstanceLock lock(dataDir, as);
            const char got = lock.tryLock() ? '1' : '0';
            (void)!::write(up[1], &got, 1);
            (void)!::read(down[0], up, 1); // until the parent closes its end
            _exit(0);                      // dies holding the lock: the file stays behind
        }
        ::close(up[1]);
        ::close(down[0]);
        m_release = down[1];
        char got = '0';
        m_gotLock = ::read(up[0], &got, 1) == 1 && got == '1';
        ::close(up[0]);
    }
    ~LockHolder() { finish(); }
    bool gotLock() const { return m_gotLock; }
    qint64 pid() const { return m_pid; }
    void finish()
    {
        if (m_release >= 0)
            ::close(std::exchange(m_release, -1));
        if (m_pid > 0)
            waitpid(std::exchange(m_pid, -1), nullptr, 0);
    }

private:
    pid_t m_pid = -1;
    int m_release = -1;
    bool m_gotLock = false;
};

} // namespace

TEST(InstanceLock, HolderIsSeenAndItsStaleLockIsTakenOver)
{
    QTemporaryDir dir;
    EXPECT_FALSE(InstanceLock::isHeldByRunningProgram(dir.path()));
    LockHolder other(dir.path());
    ASSERT_TRUE(other.gotLock());
    EXPECT_TRUE(InstanceLock::isHeldByRunningProgram(dir.path()));
    EXPECT_EQ(InstanceLock::holderPid(dir.path()), other.pid());
    InstanceLock mine(dir.path());
    EXPECT_FALSE(mine.tryLock());
    EXPECT_TRUE(mine.heldByOther());
    EXPECT_EQ(mine.errorString(), QString("Mirabook is already running (process %1)").arg(other.pid()));

    other.finish(); // the holder dies without unlocking
    ASSERT_TRUE(QFile::exists(mine.lockFilePath()));
    EXPECT_FALSE(InstanceLock::isHeldByRunningProgram(dir.path()));
    EXPECT_TRUE(mine.tryLock());
    EXPECT_EQ(InstanceLock::holderPid(dir.path()), qint64(getpid()));
    // Another process cannot take it from us, and unlocking removes the file.
    LockHolder again(dir.path());
    EXPECT_FALSE(again.gotLock());
    again.finish();
    mine.unlock();
    EXPECT_FALSE(QFile::exists(mine.lockFilePath()));
}

TEST(InstanceLock, ServerNameIsPerUserAndDataDirectory)
{
    QTemporaryDir a, b;
    const QString link = b.filePath("link");
    ASSERT_TRUE(QFile::link(a.path(), link));
    const QString name = instanceServerName(a.path());
    EXPECT_TRUE(name.startsWith("mirabook-"));
    EXPECT_EQ(name, instanceServerName(link));             // same directory through a link
    EXPECT_EQ(name, instanceServerName(a.path() + "/."));  // and spelled differently
    EXPECT_NE(name, instanceServerName(b.path()));
    EXPECT_FALSE(name.contains('/'));
}

TEST(InstanceLock, TheKernelDecidesNotWhatTheFileSays)
{
    QTemporaryDir dir;
    const QString path = instanceLockFileName(dir.path());
    // Left by a crash, written by someone else, or naming a live process: none of it holds anything.
    for (const QByteArray &text : {QByteArray(), QByteArray("\x01garbage\n\n"), QByteArray::number(getppid()) + "\nmirabook\n"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        EXPECT_FALSE(InstanceLock::isHeldByRunningProgram(dir.path()));
        InstanceLock lock(dir.path());
        EXPECT_TRUE(lock.tryLock()) << lock.errorString().toStdString();
        EXPECT_EQ(InstanceLock::holderPid(dir.path()), qint64(getpid()));
    }

    // Another command-line tool is named as such.
    LockHolder tool(dir.path(), InstanceLock::Holder::Tool);
    ASSERT_TRUE(tool.gotLock());
    InstanceLock mine(dir.path(), InstanceLock::Holder::Tool);
    EXPECT_FALSE(mine.tryLock());
    EXPECT_TRUE(mine.heldByOther());
    EXPECT_EQ(mine.heldBy(), InstanceLock::Holder::Tool);
    EXPECT_TRUE(mine.errorString().contains(QString("mira command (process %1)").arg(tool.pid())))
        << mine.errorString().toStdString();
}

TEST(InstanceLock, LockThatCannotBeMadeIsAnErrorNotARunningCopy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("mirabook.lock"));
    InstanceLock inTheWay(dir.path());
    EXPECT_FALSE(inTheWay.tryLock(300));
    EXPECT_FALSE(inTheWay.heldByOther());
    EXPECT_TRUE(inTheWay.errorString().contains("is a directory")) << inTheWay.errorString().toStdString();

    InstanceLock nowhere(dir.filePath("missing"));
    EXPECT_FALSE(nowhere.tryLock());
    EXPECT_FALSE(nowhere.heldByOther());
    EXPECT_TRUE(nowhere.errorString().contains(QString::fromLocal8Bit(std::strerror(ENOENT))))
        << nowhere.errorString().toStdString();
}
