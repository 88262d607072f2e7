#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QSocketNotifier;

// A serial port that talks to a Hayes modem line by line: opened raw and
// exclusively (no other program can open it while we hold it), read through the
// event loop. Lines are cut at MaxLineLength so a chattering device cannot
// grow memory.
class ModemPort : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxLineLength = 256;

    explicit ModemPort(QObject *parent = nullptr);
    ~ModemPort() override;

    // False with errno-based reason in errorString() and the errno in lastErrno().
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    // Writes command followed by CR. False when the port failed.
    bool writeLine(const QByteArray &command);

    // Sends "AT" and waits up to timeoutMs for "OK", without the event loop.
    bool probe(int timeoutMs);

    QString errorString() const { return m_error; }
    int lastErrno() const { return m_errno; }

signals:
    // One non-empty line from the modem, without its line end.
    void lineReceived(const QByteArray &line);
    // The device went away (unplugged) or failed.
    void failed();

private:
    void readAvailable();
    bool fail(const QString &what, int error);
    QList<QByteArray> takeLines(const QByteArray &chunk);
    void dropNotifier();

    int m_fd = -1;
    QByteArray m_pending;
    QPointer<QSocketNotifier> m_notifier; // a child; let go with deleteLater, it may be signalling
    QString m_error;
    int m_errno = 0;
};
