#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class QSocketNotifier;

// A Hayes modem on a pseudo-terminal: the line under test opens path() as its
// serial port. It records every command line it is sent, answers "OK" unless a
// reply was scripted for that command, echoes when asked to, and can ring and
// send a caller-ID block.
class FakeModem
{
public:
    FakeModem();
    ~FakeModem();
    FakeModem(const FakeModem &) = delete;
    FakeModem &operator=(const FakeModem &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString path() const { return m_path; }

    // The reply lines for a command ("ERROR", "BUSY", ...). An empty list: no reply.
    void script(const QByteArray &command, const QList<QByteArray> &replies) { m_script[command] = replies; }
    // The reply to every dial command ("ATD...") that has no script of its own.
    void scriptDial(const QList<QByteArray> &replies) { m_dialReplies = replies; }
    void setEcho(bool on) { m_echo = on; }
    // Called with each command line as it comes in.
    std::function<void(const QByteArray &)> onCommand;

    const QList<QByteArray> &commands() const { return m_commands; }
    // Runs the event loop until n commands came in (or a few seconds passed).
    bool waitForCommands(int n);

    // Unsolicited lines, each with the CR LF a modem puts around it.
    void send(const QByteArray &line);
    void ring() { send("RING"); }
    void sendCallerId(const QByteArray &number, const QByteArray &name);
    // The device goes away, as an unplugged USB modem does.
    void unplug();

private:
    void readCommands();

    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between opens
    QString m_path;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QByteArray m_pending;
    QList<QByteArray> m_commands;
    QHash<QByteArray, QList<QByteArray>> m_script;
    QList<QByteArray> m_dialReplies {"OK"};
    bool m_echo = false;
};

// The core tests have no application object by default; the line needs an event loop.
void ensureCoreApplication();
