#include "fakemodem.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

FakeModem::FakeModem()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0)
        return;
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        ::close(m_master);
        m_master = -1;
        return;
    }
    m_path = QString::fromLocal8Bit(ptsname(m_master));
    termios tio {};
    tcgetattr(m_master, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_master, TCSANOW, &tio);
    m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { readCommands(); });
}

FakeModem::~FakeModem()
{
    unplug();
}

void FakeModem::unplug()
{
    m_notifier.reset();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

void FakeModem::send(const QByteArray &line)
{
    const QByteArray data = "\r\n" + line + "\r\n";
    if (::write(m_master, data.constData(), size_t(data.size())) != data.size())
        qWarning("fake modem: short write");
}

void FakeModem::sendCallerId(const QByteArray &number, const QByteArray &name)
{
    send("DATE=1207");
    send("TIME=1432");
    send("NMBR=" + number);
    send("NAME=" + name);
}

void FakeModem::readCommands()
{
    char buf[256];
    ssize_t n;
    while ((n = ::read(m_master, buf, sizeof buf)) > 0) {
        for (char c : QByteArray(buf, n)) {
            if (c != '\r' && c != '\n') {
                m_pending += c;
                continue;
            }
            if (m_pending.isEmpty())
                continue;
            const QByteArray command = m_pending;
            m_pending.clear();
            m_commands.append(command);
            if (onCommand)
                onCommand(command);
            if (m_echo)
                send(command);
            const auto it = m_script.constFind(command);
            const QList<QByteArray> replies = it != m_script.cend()       ? *it
                                              : command.startsWith("ATD") ? m_dialReplies
                                                                          : QList<QByteArray>{"OK"};
            for (const QByteArray &reply : replies)
                send(reply);
        }
    }
}

bool FakeModem::waitForCommands(int n)
{
    QDeadlineTimer deadline(5000);
    while (m_commands.size() < n && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return m_commands.size() >= n;
}

void ensureCoreApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "mira_core_tests";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}
