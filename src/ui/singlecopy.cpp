#include "singlecopy.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMetaMethod>
#include <QThread>
#include <QVariant>

#include <utility>

namespace {
constexpr int ConnectMs = 1000;
constexpr int AnswerMs = 5000;
constexpr char Received = '1';
} // namespace

TPBJustOne::TPBJustOne(const QString &dataDir, const CommandLine::Request &request, int waitMs, QObject *parent)
    : QObject(parent)
    , m_serverName(instanceServerName(dataDir))
    , m_lock(dataDir)
{
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (handOver(request)) {
            m_outcome = Outcome::HandedOver;
            return;
        }
        if (m_lock.tryLock(0)) {
            m_outcome = listen() ? Outcome::OnlyCopy : Outcome::Failed;
            return;
        }
        // Another copy is between taking the lock and listening, or the
        // command-line tool is working on the database: try again shortly.
        // A lock that cannot be made at all is no copy to wait for.
        if (!m_lock.heldByOther() || deadline.hasExpired()) {
            m_error = m_lock.errorString();
            m_outcome = Outcome::Failed;
            return;
        }
        QThread::msleep(100);
    }
}

TPBJustOne::~TPBJustOne() = default;

bool TPBJustOne::handOver(const CommandLine::Request &request)
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(ConnectMs))
        return false;
    socket.write(CommandLine::Encode(request));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(AnswerMs))
            return false;
    // The running copy answers once it has the whole command line; a copy that
    // goes away without answering has still been handed the text.
    if (socket.waitForReadyRead(AnswerMs))
        socket.read(1);
    socket.disconnectFromServer();
    return true;
}

bool TPBJustOne::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left behind belongs to a copy that died.
    QLocalServer::removeServer(m_serverName);
    if (!m_server->listen(m_serverName)) {
        m_error = m_server->errorString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &TPBJustOne::acceptConnections);
    return true;
}

void TPBJustOne::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (socket->bytesAvailable() > 0)
            readRequest(socket);
    }
}

void TPBJustOne::readRequest(QLocalSocket *socket)
{
    QByteArray buffer = socket->property("pending").toByteArray() + socket->readAll();
    qsizetype used = 0;
    const std::optional<CommandLine::Request> request = CommandLine::Decode(buffer, &used);
    buffer.remove(0, used);
    socket->setProperty("pending", buffer);
    if (!request) {
        if (used > 0) // not a command line at all
            socket->disconnectFromServer();
        return;
    }
    socket->write(&Received, 1);
    socket->flush();
    socket->disconnectFromServer();
    if (!isSignalConnected(QMetaMethod::fromSignal(&TPBJustOne::commandLineReceived))) {
        m_early.append(*request);
        return;
    }
    emit commandLineReceived(*request);
}

void TPBJustOne::connectNotify(const QMetaMethod &signal)
{
    if (signal == QMetaMethod::fromSignal(&TPBJustOne::commandLineReceived) && !m_early.isEmpty())
        QMetaObject::invokeMethod(this, &TPBJustOne::deliverEarly, Qt::QueuedConnection);
}

void TPBJustOne::deliverEarly()
{
    const QList<CommandLine::Request> early = std::exchange(m_early, {});
    for (const CommandLine::Request &request : early)
        emit commandLineReceived(request);
}
