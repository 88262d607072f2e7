#include "instancelock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace {

QString canonicalDir(const QString &dir)
{
    const QString canonical = QFileInfo(dir).canonicalFilePath();
    return canonical.isEmpty() ? QDir(dir).absolutePath() : canonical;
}

QString userName()
{
    if (const passwd *pw = getpwuid(getuid()); pw && pw->pw_name && *pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(getuid());
}

bool processAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace

QString instanceLockFileName(const QString &dataDir) { return QDir(dataDir).filePath(QStringLiteral("mirabook.lock")); }

QString instanceServerName(const QString &dataDir)
{
    const QByteArray hash = QCryptographicHash::hash(canonicalDir(dataDir).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    // Socket names become file names: keep only harmless characters of the user name.
    QString user = userName();
    for (QChar &c : user)
        if (!c.isLetterOrNumber() && c != u'_' && c != u'-' && c != u'.')
            c = u'_';
    return QStringLiteral("mirabook-%1-%2").arg(user, QString::fromLatin1(hash));
}

InstanceLock::InstanceLock(const QString &dataDir)
    : m_path(instanceLockFileName(dataDir))
    , m_lock(std::make_unique<QLockFile>(m_path))
{
    // Held for a whole run: only a dead holder makes it stale, never its age.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::tryLock(int timeoutMs)
{
    if (m_lock->isLocked())
        return true;
    return m_lock->tryLock(timeoutMs);
}

void InstanceLock::unlock() { m_lock->unlock(); }

bool InstanceLock::isLocked() const { return m_lock->isLocked(); }

QString InstanceLock::errorString() const
{
    switch (m_lock->error()) {
    case QLockFile::NoError:
        return QString();
    case QLockFile::LockFailedError: {
        qint64 pid = 0;
        QString host, app;
        if (m_lock->getLockInfo(&pid, &host, &app))
            return QStringLiteral("Mirabook is already running (process %1)").arg(pid);
        return QStringLiteral("Mirabook is already running");
    }
    case QLockFile::PermissionError:
        return QStringLiteral("No permission to create %1").arg(m_path);
    case QLockFile::UnknownError:
        break;
    }
    return QStringLiteral("Cannot create %1").arg(m_path);
}

qint64 InstanceLock::holderPid(const QString &dataDir)
{
    QLockFile probe(instanceLockFileName(dataDir));
    qint64 pid = 0;
    QString host, app;
    if (!probe.getLockInfo(&pid, &host, &app))
        return 0;
    return pid;
}

bool InstanceLock::isHeldByRunningProgram(const QString &dataDir)
{
    // Lock file lines: pid, program name, host name, machine id, boot id.
    QFile file(instanceLockFileName(dataDir));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    bool ok = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
    if (!ok)
        return false;
    const QString program = QString::fromUtf8(lines.value(1).trimmed());
    const QString host = QString::fromUtf8(lines.value(2).trimmed());
    const QByteArray boot = lines.value(4).trimmed();
    // A lock written on another machine (a shared home directory) counts as held.
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return true;
    if (!boot.isEmpty() && boot != QSysInfo::bootUniqueId())
        return false; // written before the last reboot
    if (!processAlive(pid))
        return false;
    // A reused process id belongs to another program.
    QString running = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid))).fileName();
    running.remove(QLatin1String(" (deleted)"));
    return program.isEmpty() || running.isEmpty() || running == QFileInfo(program).fileName();
}
