#include "privatebus.h"

#include <QEventLoop>
#include <gtest/gtest.h>
#include <QFile>
#include <QTimer>

namespace {

QByteArray Configuration(const QString &socketDir, const QString &serviceDir)
{
    QByteArray conf =
        "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
        " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        "<busconfig>\n"
        "  <type>session</type>\n"
        "  <listen>unix:path=" + socketDir.toUtf8() + "/bus</listen>\n"
        "  <auth>EXTERNAL</auth>\n";
    if (!serviceDir.isEmpty())
        conf += "  <servicedir>" + serviceDir.toUtf8() + "</servicedir>\n";
    conf += "  <policy context=\"default\">\n"
            "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
            "    <allow eavesdrop=\"true\"/>\n"
            "    <allow own=\"*\"/>\n"
            "  </policy>\n"
            "</busconfig>\n";
    return conf;
}

} // namespace

PrivateBus::PrivateBus(const QString &serviceDir, const QProcessEnvironment &environment)
{
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary directory");
        return;
    }
    QFile conf(m_dir.filePath(QStringLiteral("bus.conf")));
    if (!conf.open(QIODevice::WriteOnly) || conf.write(Configuration(m_dir.path(), serviceDir)) < 0) {
        m_error = conf.errorString();
        return;
    }
    conf.close();
    // Programs the bus starts find it as their session bus.
    QProcessEnvironment env = environment;
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + m_dir.filePath(QStringLiteral("bus")));
    m_daemon.setProcessEnvironment(env);
    // Kept for a failing test to show: programs the bus starts write there too.
    m_daemon.setStandardErrorFile(m_dir.filePath(QStringLiteral("bus.log")));
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + conf.fileName(), QStringLiteral("--nofork"),
                    QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(10000)) {
        m_error = QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        return;
    }
    while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(10000)) {
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty())
        m_error = QStringLiteral("dbus-daemon gave no address");
}

QByteArray PrivateBus::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("bus.log")));
    return file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : QByteArray();
}

PrivateBus::~PrivateBus()
{
    if (m_daemon.state() != QProcess::NotRunning) {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(5000);
        }
    }
}

ClientRun RunWhileServing(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess p;
    p.setProcessEnvironment(environment);
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&p, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    p.start(program, arguments);
    loop.exec();
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished(5000);
        return {-1, p.readAllStandardOutput(), p.readAllStandardError() + "(did not end)"};
    }
    if (p.exitStatus() != QProcess::NormalExit || p.error() == QProcess::FailedToStart)
        return {-1, p.readAllStandardOutput(), p.readAllStandardError() + p.errorString().toUtf8()};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

AutomationClient::AutomationClient(const QString &address, const QString &name)
    : m_name(name), m_connection(QDBusConnection::connectToBus(address, name))
{
}

AutomationClient::~AutomationClient() { leave(); }

void AutomationClient::leave()
{
    if (!m_name.isEmpty())
        QDBusConnection::disconnectFromBus(m_name);
    m_name.clear();
}

QDBusMessage AutomationClient::call(const QString &member, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("MiRa.Application"), QStringLiteral("/MiRa/Application"),
                                                          QStringLiteral("MiRa.Application"), member);
    message.setArguments(arguments);
    // Well within the time a test may take, so a program that stops answering fails the test.
    return m_connection.call(message, QDBus::BlockWithGui, 15000);
}

QVariant AutomationClient::value(const QString &member, const QVariantList &arguments)
{
    const QDBusMessage reply = call(member, arguments);
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << member.toStdString() << ": " << reply.errorName().toStdString()
                                                        << " " << reply.errorMessage().toStdString();
    return reply.arguments().value(0);
}

QString AutomationClient::errorOf(const QString &member, const QVariantList &arguments)
{
    return call(member, arguments).errorName();
}
