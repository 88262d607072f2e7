#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

// One running copy per user and data directory. The desktop program holds the
// lock file "mirabook.lock" in the data directory for its whole run; the mira
// command-line tool holds it while it works on the database, and refuses to write
// while the desktop program has it. A lock left by a process that died is taken over.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &dataDir);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock, waiting up to timeoutMs for another holder to let go.
    bool tryLock(int timeoutMs = 0);
    void unlock();
    bool isLocked() const;
    // Why the last tryLock failed, for a message.
    QString errorString() const;
    QString lockFilePath() const { return m_path; }

    // Whether a live process holds the lock of dataDir (the lock is not taken).
    static bool isHeldByRunningProgram(const QString &dataDir);
    // The process id written in the lock file of dataDir, or 0.
    static qint64 holderPid(const QString &dataDir);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

QString instanceLockFileName(const QString &dataDir);

// The local-socket name on which the running desktop program accepts the command
// lines of later starts: per user and per canonical data directory.
QString instanceServerName(const QString &dataDir);
