#include "telephonyport.h"

#include "safefiles.h"

#include <QSocketNotifier>
#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

ModemPort::ModemPort(QObject *parent)
    : QObject(parent)
{
}

ModemPort::~ModemPort()
{
    close();
}

bool ModemPort::fail(const QString &what, int error)
{
    m_errno = error;
    m_error = what + QStringLiteral(": ") + SafeFiles::ErrorText(error);
    return false;
}

bool ModemPort::open(const QString &path)
{
    close();
    m_error.clear();
    m_errno = 0;
    const QByteArray name = path.toLocal8Bit();
    const int fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(path, errno);
    auto closeFd = [fd] { ::close(fd); };
    if (!isatty(fd)) {
        closeFd();
        return fail(path, ENOTTY);
    }
    // Exclusive: a second open (another copy, a modem manager) gets EBUSY. The
    // lock also holds against the superuser, whom TIOCEXCL lets through.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno == EWOULDBLOCK ? EBUSY : errno;
        closeFd();
        return fail(path, e);
    }
    if (ioctl(fd, TIOCEXCL) != 0) {
        const int e = errno;
        closeFd();
        return fail(path, e);
    }
    termios tio {};
    if (tcgetattr(fd, &tio) != 0) {
        const int e = errno;
        closeFd();
        return fail(path, e);
    }
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD | HUPCL;
    // MIN 1: an empty non-blocking read says EAGAIN, so a read of 0 means hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        const int e = errno;
        closeFd();
        return fail(path, e);
    }
    // Stale replies go; commands a line wrote just before it let go of the port (a
    // drop) still reach the modem.
    tcflush(fd, TCIFLUSH);
    m_fd = fd;
    m_pending.clear();
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ModemPort::readAvailable);
    return true;
}

void ModemPort::dropNotifier()
{
    if (m_notifier) {
        m_notifier->setEnabled(false);
        m_notifier->deleteLater();
        m_notifier = nullptr;
    }
}

void ModemPort::close()
{
    dropNotifier();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_pending.clear();
}

bool ModemPort::writeLine(const QByteArray &command)
{
    if (m_fd < 0)
        return fail(QStringLiteral("write"), EBADF);
    const QByteArray data = command + '\r';
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(m_fd, data.constData() + done, size_t(data.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            // A command line is short; wait for the driver to take it.
            pollfd p {m_fd, POLLOUT, 0};
            if (poll(&p, 1, 1000) > 0)
                continue;
            return fail(QStringLiteral("write"), ETIMEDOUT);
        }
        return fail(QStringLiteral("write"), n < 0 ? errno : EIO);
    }
    return true;
}

QList<QByteArray> ModemPort::takeLines(const QByteArray &chunk)
{
    QList<QByteArray> lines;
    for (char c : chunk) {
        if (c == '\r' || c == '\n') {
            if (!m_pending.trimmed().isEmpty())
                lines.append(m_pending.trimmed());
            m_pending.clear();
        } else if (m_pending.size() < MaxLineLength) {
            m_pending += c;
        }
    }
    return lines;
}

void ModemPort::readAvailable()
{
    char buf[512];
    for (;;) {
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n > 0) {
            const QList<QByteArray> lines = takeLines(QByteArray(buf, n));
            for (const QByteArray &line : lines) {
                if (m_fd < 0)
                    return; // a handler closed the port
                emit lineReceived(line);
            }
            if (m_fd < 0)
                return;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // End of file or an error: the device is gone.
        fail(QStringLiteral("read"), n < 0 ? errno : EIO);
        dropNotifier();
        emit failed();
        return;
    }
}

bool ModemPort::probe(int timeoutMs)
{
    if (!writeLine("AT"))
        return false;
    QElapsedTimer clock;
    clock.start();
    QByteArray seen;
    while (clock.elapsed() < timeoutMs) {
        pollfd p {m_fd, POLLIN, 0};
        const int r = poll(&p, 1, int(timeoutMs - clock.elapsed()));
        if (r <= 0)
            break;
        char buf[128];
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n <= 0)
            break;
        for (const QByteArray &line : takeLines(QByteArray(buf, n)))
            if (line == "OK")
                return true;
        if (seen.size() > MaxLineLength * 4)
            break;
        seen.append(buf, n);
    }
    return false;
}
