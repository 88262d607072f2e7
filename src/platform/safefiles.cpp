#include "safefiles.h"

#include <QFile>
#include <QScopeGuard>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString whatItIs(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a directory");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    return QStringLiteral("something other than a file");
}

} // namespace

namespace SafeFiles {

QString ErrorText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString NotAFileText(const QString &name, mode_t mode)
{
    return QStringLiteral("\"%1\" is %2, not a file that can be read or written").arg(name, whatItIs(mode));
}

Opened OpenForReading(QFile &file, const QString &name, QString *why)
{
    // Non-blocking, so that opening a pipe does not wait for a writer.
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *why = QStringLiteral("Cannot read \"%1\": %2").arg(name, ErrorText(errno));
        return Opened::CannotOpen;
    }
    auto closeFd = qScopeGuard([fd] { ::close(fd); });
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        *why = QStringLiteral("Cannot read \"%1\": %2").arg(name, ErrorText(errno));
        return Opened::CannotOpen;
    }
    if (!S_ISREG(st.st_mode)) {
        *why = NotAFileText(name, st.st_mode);
        return Opened::NotAFile;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        *why = QStringLiteral("Cannot read \"%1\": %2").arg(name, ErrorText(errno));
        return Opened::CannotOpen;
    }
    closeFd.dismiss();
    return Opened::Yes;
}

bool CreateFresh(QFile &file, const QString &name, mode_t mode, QString *why)
{
    const QByteArray path = QFile::encodeName(name);
    // A planted symlink or another owner's file of that name goes; the new file is ours.
    if (::unlink(path.constData()) != 0 && errno != ENOENT) {
        *why = QStringLiteral("Cannot create \"%1\": %2").arg(name, ErrorText(errno));
        return false;
    }
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0) {
        *why = QStringLiteral("Cannot create \"%1\": %2").arg(name, ErrorText(errno));
        return false;
    }
    if (!file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *why = QStringLiteral("Cannot create \"%1\": %2").arg(name, file.errorString());
        return false;
    }
    return true;
}

QString FollowLinks(const QString &name, QString *why)
{
    QString current = name;
    // The system's own limit on a chain of links.
    for (int hop = 0; hop < 40; ++hop) {
        const QByteArray path = QFile::encodeName(current);
        struct stat st{};
        if (::lstat(path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n < 0 || n == ssize_t(sizeof target)) {
            *why = QStringLiteral("Cannot follow the link \"%1\": %2").arg(current, ErrorText(n < 0 ? errno : ENAMETOOLONG));
            return QString();
        }
        QString next = QFile::decodeName(QByteArray(target, n));
        // A relative target is relative to the link's own directory.
        if (!next.startsWith(u'/'))
            next.prepend(current.left(current.lastIndexOf(u'/') + 1));
        current = next;
    }
    *why = QStringLiteral("Cannot follow the link \"%1\": %2").arg(name, ErrorText(ELOOP));
    return QString();
}

} // namespace SafeFiles
