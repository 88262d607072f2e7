#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

// A server on 127.0.0.1 that answers each connection with the next scripted reply
// (the last one again when the script runs out) and keeps every request it was sent.
// It runs on the test's own event loop, which the transport keeps turning while it waits.
class ScriptedHttpServer : public QObject
{
public:
    struct Reply
    {
        QList<QByteArray> pieces; // written one after another
        int pieceDelayMs = 0;     // between pieces
        bool close = true;        // close once everything is written
    };

    ScriptedHttpServer();
    quint16 port() const { return m_server.serverPort(); }
    QString url(const QString &path = QStringLiteral("/")) const;
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(port()); }

    void answer(const Reply &reply) { m_replies.append(reply); }
    // A whole response with the status line, these headers and the body.
    void answer(const QByteArray &statusLine, const QList<QByteArray> &headers, const QByteArray &body);

    // Each request's bytes up to the empty line that ends it.
    QList<QByteArray> requests;

private:
    void serve();

    QTcpServer m_server;
    QList<Reply> m_replies;
    int m_next = 0;
};
