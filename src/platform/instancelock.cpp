#include "instancelock.h"

#include "safefiles.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
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

const char *const kDesktopWord = "mirabook";
const char *const kToolWord = "mira";

// What a lock file says about its holder. Anyone can write anything there, so it
// names the holder in messages and decides nothing.
struct LockInfo
{
    qint64 pid = 0;
    bool tool = false;
};

LockInfo readInfo(const QString &path)
{
    LockInfo info;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return info;
    char text[64];
    struct stat st{};
    const ssize_t n = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? ::read(fd, text, sizeof text) : -1;
    ::close(fd);
    if (n <= 0)
        return info;
    const QList<QByteArray> lines = QByteArray(text, n).split('\n');
    bool ok = false;
    const qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
    info.pid = ok && pid > 0 ? pid : 0;
    info.tool = lines.value(1).trimmed() == kToolWord;
    return info;
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

InstanceLock::InstanceLock(const QString &dataDir, Holder as) : m_path(instanceLockFileName(dataDir)), m_as(as) {}

InstanceLock::~InstanceLock() { unlock(); }

bool InstanceLock::tryLock(int timeoutMs)
{
    if (isLocked())
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        switch (attempt()) {
        case Attempt::Locked:
            return true;
        case Attempt::Failed:
            return false;
        case Attempt::Held:
            break;
        }
        if (deadline.hasExpired())
            return false;
        QThread::msleep(quint64(qBound(qint64(1), deadline.remainingTime(), qint64(100))));
    }
}

InstanceLock::Attempt InstanceLock::attempt()
{
    m_heldByOther = false;
    const QByteArray path = QFile::encodeName(m_path);
    // A holder that lets go removes the file; whoever opened it just before then locks a
    // file nobody else can see, and tries again.
    for (int round = 0; round < 100; ++round) {
        // Never through a link, and never waiting on a pipe put in its place.
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) {
            const int error = errno;
            if (error == EISDIR)
                m_error = SafeFiles::NotAFileText(m_path, S_IFDIR);
            else if (error == ELOOP)
                m_error = SafeFiles::NotAFileText(m_path, S_IFLNK);
            else
                m_error = QStringLiteral("\"%1\": %2").arg(m_path, SafeFiles::ErrorText(error));
            return Attempt::Failed;
        }
        struct stat opened{};
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            m_error = SafeFiles::NotAFileText(m_path, opened.st_mode);
            ::close(fd);
            return Attempt::Failed;
        }
        struct flock whole{};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        if (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EAGAIN || error == EACCES) {
                noteHolder();
                return Attempt::Held;
            }
            m_error = QStringLiteral("\"%1\": %2").arg(m_path, SafeFiles::ErrorText(error));
            return Attempt::Failed;
        }
        struct stat named{};
        if (::stat(path.constData(), &named) != 0 || named.st_ino != opened.st_ino || named.st_dev != opened.st_dev) {
            ::close(fd);
            continue;
        }
        // Who holds it, for the messages of others. The lock holds without it, so a
        // disk too full to take these few bytes keeps nobody from working.
        const QByteArray text = QByteArray::number(qint64(::getpid())) + '\n' +
                                (m_as == Holder::Tool ? kToolWord : kDesktopWord) + '\n';
        if (::ftruncate(fd, 0) == 0)
            (void)!::pwrite(fd, text.constData(), size_t(text.size()), 0);
        m_fd = fd;
        m_error.clear();
        return Attempt::Locked;
    }
    m_error = QStringLiteral("\"%1\" keeps being replaced").arg(m_path);
    return Attempt::Failed;
}

void InstanceLock::noteHolder()
{
    const LockInfo info = readInfo(m_path);
    m_heldByOther = true;
    m_heldBy = info.tool ? Holder::Tool : Holder::Desktop;
    const QString process = info.pid > 0 ? QStringLiteral(" (process %1)").arg(info.pid) : QString();
    m_error = info.tool ? QStringLiteral("Another mira command%1 is writing to the database").arg(process)
                        : QStringLiteral("Mirabook is already running%1").arg(process);
}

void InstanceLock::unlock()
{
    if (m_fd < 0)
        return;
    // Removed while still held, and only when the name is still ours.
    struct stat held{}, named{};
    const QByteArray path = QFile::encodeName(m_path);
    if (::fstat(m_fd, &held) == 0 && ::stat(path.constData(), &named) == 0 && held.st_ino == named.st_ino &&
        held.st_dev == named.st_dev)
        ::unlink(path.constData());
    ::close(m_fd);
    m_fd = -1;
}

qint64 InstanceLock::holderPid(const QString &dataDir) { return readInfo(instanceLockFileName(dataDir)).pid; }

bool InstanceLock::isHeldByRunningProgram(const QString &dataDir)
{
    const int fd = ::open(QFile::encodeName(instanceLockFileName(dataDir)).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    struct flock whole{};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    const bool held = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::fcntl(fd, F_OFD_GETLK, &whole) == 0 &&
                      whole.l_type != F_UNLCK;
    ::close(fd);
    return held;
}
