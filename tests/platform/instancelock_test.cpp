#include "platform/instancelock.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <utility>
#include <unistd.h>

namespace {

// A second process that takes the lock, reports whether it got it, and then
// waits for the parent before it exits without releasing anything.
class LockHolder
{
public:
    explicit LockHolder(const QString &dataDir)
    {
        int up[2], down[2];
        if (pipe(up) != 0 || pipe(down) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            ::close(down[1]); // so that the parent's close ends the read below
            InstanceLock lock(dataDir);
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
    EXPECT_FALSE(mine.errorString().isEmpty());

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
