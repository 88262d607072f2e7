#pragma once

#include <QString>

// One running copy per user and data directory. The desktop program holds the lock
// file "mirabook.lock" in the data directory for its whole run; the mira
// command-line tool holds it while it writes the database, and refuses to write
// while another holds it. The lock is the kernel's, on the open file: it ends with
// its holder, however that ends, and nothing written in the file can keep anyone
// out. The file names its holder, for messages only.
class InstanceLock
{
public:
    enum class Holder { Desktop, Tool };

    explicit InstanceLock(const QString &dataDir, Holder as = Holder::Desktop);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock, waiting up to timeoutMs for another holder to let go. A lock
    // that cannot be made at all (a directory in its place, a read-only or full
    // disk) fails at once.
    bool tryLock(int timeoutMs = 0);
    void unlock();
    bool isLocked() const { return m_fd >= 0; }
    // Whether the last tryLock failed because another process holds the lock, and who
    // that is, as its lock file says.
    bool heldByOther() const { return m_heldByOther; }
    Holder heldBy() const { return m_heldBy; }
    // Why the last tryLock failed, for a message.
    QString errorString() const { return m_error; }
    QString lockFilePath() const { return m_path; }

    // Whether another open of the lock file holds the lock of dataDir (it is not taken).
    static bool isHeldByRunningProgram(const QString &dataDir);
    // The process id written in the lock file of dataDir, or 0.
    static qint64 holderPid(const QString &dataDir);

private:
    enum class Attempt { Locked, Held, Failed };
    Attempt attempt();
    void noteHolder();

    QString m_path;
    Holder m_as;
    int m_fd = -1;
    bool m_heldByOther = false;
    Holder m_heldBy = Holder::Desktop;
    QString m_error;
};

QString instanceLockFileName(const QString &dataDir);

// The local-socket name on which the running desktop program accepts the command
// lines of later starts: per user and per canonical data directory.
QString instanceServerName(const QString &dataDir);
