#pragma once

#include "telephonycallerid.h"
#include "telephonyport.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

// One telephony line over a Hayes modem: lists the modems, opens the chosen one,
// places a voice call to a dial string, drops it, answers, and reports rings and
// caller identification. Every event reaches its handlers from the event loop,
// never from inside the call that caused it, so a handler may close the window
// that owns the line.
class TetLine : public QObject
{
    Q_OBJECT
public:
    using DeviceSource = std::function<QStringList()>;

    struct TDevice
    {
        int ID = 0;
        bool Active = false;
        int Count = 0;
        QString Name;
        QStringList List;
    };
    struct TError
    {
        qint32 Number = 0;
        QString Text;
        QString Hex;
    };
    struct TCallerID
    {
        QString Name, Number;
        bool FormatName = true, FormatNumber = true;
        bool Blocked = false, OutOfArea = false;
        quint32 Flags = 0;
    };
    enum class CallState { None, Dialing, Connected, Offering, Dropping };

    // Lists the devices once through source (the modems of this machine by default).
    explicit TetLine(QObject *parent = nullptr, DeviceSource source = {});
    ~TetLine() override;

    const TDevice &Device() const { return m_device; }
    const TError &Error() const { return m_error; }
    TCallerID &CallerID() { return m_callerId; }
    const TCallerID &CallerID() const { return m_callerId; }
    QString PhoneNumber() const { return m_phoneNumber; }
    void SetPhoneNumber(const QString &number) { m_phoneNumber = number; }

    // Out of range: LINEERR_BADDEVICEID and nothing changes. Otherwise closes the
    // line and lists the devices again.
    bool SetDeviceID(int id);
    // The position of a device in Device().List, -1 when it is not there.
    int IndexOfDevice(const QString &name) const { return m_device.List.indexOf(name); }
    bool SetActive(bool active);

    // Dial checks the dial string first: a refused one writes nothing to the
    // modem and fails with LINEERR_INVALADDRESS. A busy line, no dial tone, no
    // carrier or a modem error arrives later as OnError, then OnIdle.
    // While a call is being dropped Dial fails with LINEERR_INVALCALLSTATE:
    // redial after OnIdle.
    bool Dial();
    bool Hangup();
    bool Answer();

    bool HasCall() const { return m_callState != CallState::None; }
    CallState State() const { return m_callState; }
    QDateTime ConnectedAt() const { return m_connectedAt; }
    QDateTime DisconnectedAt() const { return m_disconnectedAt; }

    // How long to wait for a modem's reply, and for the next ring before an
    // unanswered call counts as over.
    void SetReplyTimeout(int ms) { m_replyTimer.setInterval(ms); }
    void SetRingTimeout(int ms) { m_ringTimer.setInterval(ms); }

signals:
    void OnError();
    void OnCallerID();
    void OnIdle();
    void OnRing(int count);

private:
    enum class Purpose { CallerIdOn, CallerIdFallback, Dial, Hangup, Answer };
    struct Command
    {
        QByteArray text;
        Purpose purpose;
    };

    void enumerate();
    bool open();
    bool close();
    // Lets go of the port; a call still there goes idle.
    void release();
    void send(const QByteArray &text, Purpose purpose);
    void sendNext();
    void lineReceived(const QByteArray &line);
    void finalReply(const QByteArray &reply);
    void replyTimedOut();
    void portFailed();
    void ring();
    void callerIdLine(const QByteArray &line);
    void deliverCallerId();
    void offering();
    void goIdle();
    bool recordError(qint32 code);
    void clearError() { recordError(0); }
    void post(void (TetLine::*signal)());

    DeviceSource m_source;
    TDevice m_device;
    TError m_error;
    TCallerID m_callerId;
    QString m_phoneNumber;
    ModemPort m_port;
    std::deque<Command> m_queue;
    bool m_waiting = false;
    QTimer m_replyTimer;
    QTimer m_ringTimer;
    CallState m_callState = CallState::None;
    int m_rings = 0;
    CallerIdBlock m_block;
    bool m_callerIdDelivered = false;
    QDateTime m_connectedAt, m_disconnectedAt;
};
