#include "scriptedhttpserver.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <memory>

ScriptedHttpServer::ScriptedHttpServer()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, &ScriptedHttpServer::serve);
}

QString ScriptedHttpServer::url(const QString &path) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path); }

void ScriptedHttpServer::answer(const QByteArray &statusLine, const QList<QByteArray> &headers, const QByteArray &body)
{
    QByteArray bytes = statusLine + "\r\n";
    for (const QByteArray &h : headers)
        bytes += h + "\r\n";
    bytes += "\r\n" + body;
    answer(Reply{{bytes}});
}

void ScriptedHttpServer::serve()
{
    while (QTcpSocket *raw = m_server.nextPendingConnection()) {
        QPointer<QTcpSocket> socket(raw);
        connect(raw, &QTcpSocket::disconnected, raw, &QObject::deleteLater);
        const Reply reply = m_replies.isEmpty() ? Reply{{"HTTP/1.1 500 No Script\r\n\r\n"}}
                                                : m_replies.value(qMin<qsizetype>(m_next++, m_replies.size() - 1));
        auto received = std::make_shared<QByteArray>();
        auto started = std::make_shared<bool>(false);
        connect(raw, &QTcpSocket::readyRead, this, [this, socket, reply, received, started] {
            if (!socket)
                return;
            *received += socket->readAll();
            const qsizetype end = received->indexOf("\r\n\r\n");
            if (end < 0 || *started)
                return;
            *started = true;
            requests.append(received->left(end + 4));
            // Writes piece i, then schedules the next.
            // The pending timer holds the next step; nothing holds it after the last.
            auto step = std::make_shared<std::function<void(int)>>();
            *step = [socket, reply, weak = std::weak_ptr(step)](int i) {
                if (!socket)
                    return;
                if (i >= reply.pieces.size()) {
                    if (reply.close)
                        socket->disconnectFromHost();
                    return;
                }
                socket->write(reply.pieces[i]);
                socket->flush();
                QTimer::singleShot(reply.pieceDelayMs, socket, [next = weak.lock(), i] { (*next)(i + 1); });
            };
            (*step)(0);
        });
    }
}
