#pragma once

#include "commandline.h"
#include "platform/instancelock.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

// The single-copy guard. The first copy for a data directory holds its lock file
// (which the command-line tool respects) and listens on the per-user local socket;
// a later start sends its command line there and ends before loading anything.
class TPBJustOne : public QObject
{
    Q_OBJECT
public:
    enum class Outcome { OnlyCopy, HandedOver, Failed };

    // Claims dataDir for this copy, or hands request to the copy that has it.
    // Waits up to waitMs for a copy that is starting or for the command-line tool
    // to let go of the lock.
    TPBJustOne(const QString &dataDir, const CommandLine::Request &request, int waitMs = 10000,
               QObject *parent = nullptr);
    ~TPBJustOne() override;

    Outcome outcome() const { return m_outcome; }
    // Why the claim failed, for a message.
    QString errorString() const { return m_error; }
    QString serverName() const { return m_serverName; }

signals:
    // A later start's command line, received by the copy that runs.
    void commandLineReceived(const CommandLine::Request &request);

protected:
    void connectNotify(const QMetaMethod &signal) override;

private:
    void deliverEarly();
    bool handOver(const CommandLine::Request &request);
    bool listen();
    void acceptConnections();
    void readRequest(QLocalSocket *socket);

    QString m_serverName;
    InstanceLock m_lock;
    QLocalServer *m_server = nullptr;
    Outcome m_outcome = Outcome::Failed;
    QString m_error;
    // Command lines that came before anything listened for them (a message box at
    // start-up runs the event loop before the window is there).
    QList<CommandLine::Request> m_early;
};
