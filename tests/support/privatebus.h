#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// A D-Bus message bus of the test's own (dbus-daemon with a session-style configuration),
// so bus tests run anywhere, as root in CI too, without touching a desktop session.
// Programs the bus activates from serviceDir get environment.
class PrivateBus
{
public:
    explicit PrivateBus(const QString &serviceDir = QString(),
                        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // Empty when the bus did not start; errorString says why.
    const QString &address() const { return m_address; }
    const QString &errorString() const { return m_error; }
    // What the bus and the programs it started wrote to their error output.
    QByteArray log() const;

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_error;
};

// A command-line client (gdbus, busctl, a script) run to its end while this thread's event
// loop goes on, so an object this process serves can answer it.
struct ClientRun
{
    int code = -1; // -1: did not start or did not end normally
    QByteArray out, err;
};
ClientRun RunWhileServing(const QString &program, const QStringList &arguments,
                          const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());

// A client of the automation object with a connection of its own (so a cursor of its own).
// Calls wait in an event loop, so an object this thread serves answers them.
class AutomationClient
{
public:
    AutomationClient(const QString &address, const QString &name);
    ~AutomationClient();
    AutomationClient(const AutomationClient &) = delete;
    AutomationClient &operator=(const AutomationClient &) = delete;

    QDBusMessage call(const QString &member, const QVariantList &arguments = {});
    // The reply's value; a failed call fails the test.
    QVariant value(const QString &member, const QVariantList &arguments = {});
    // The error's name, or empty when the call succeeded.
    QString errorOf(const QString &member, const QVariantList &arguments = {});
    QDBusConnection &connection() { return m_connection; }
    // Leaves the bus now, as a client that ends does.
    void leave();

private:
    QString m_name;
    QDBusConnection m_connection;
};
