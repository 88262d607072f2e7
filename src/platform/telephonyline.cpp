#include "telephonyline.h"

#include "telephonydialstring.h"
#include "telephonyerrors.h"
#include "telephonyports.h"

#include <cerrno>

namespace {

enum class Reply { None, Ok, Connect, Error, Busy, NoDialtone, NoCarrier, NoAnswer };

Reply finalCode(const QByteArray &line)
{
    if (line == "OK")
        return Reply::Ok;
    if (line.startsWith("CONNECT"))
        return Reply::Connect;
    if (line == "ERROR")
        return Reply::Error;
    if (line == "BUSY")
        return Reply::Busy;
    if (line == "NO DIALTONE" || line == "NO DIAL TONE")
        return Reply::NoDialtone;
    if (line == "NO CARRIER")
        return Reply::NoCarrier;
    if (line == "NO ANSWER")
        return Reply::NoAnswer;
    return Reply::None;
}

qint32 failureCode(Reply reply)
{
    switch (reply) {
    case Reply::Busy: return LineError::Busy;
    case Reply::NoDialtone: return LineError::NoDialtone;
    case Reply::NoCarrier: return LineError::NoCarrier;
    case Reply::NoAnswer: return LineError::NoAnswer;
    default: return LineError::ModemError;
    }
}

} // namespace

TetLine::TetLine(QObject *parent, DeviceSource source)
    : QObject(parent), m_source(source ? std::move(source) : DeviceSource([] { return ModemPorts::find(); }))
{
    m_replyTimer.setSingleShot(true);
    m_replyTimer.setInterval(30000);
    connect(&m_replyTimer, &QTimer::timeout, this, &TetLine::replyTimedOut);
    // Rings come every six seconds or so; a longer pause means the caller gave up.
    m_ringTimer.setSingleShot(true);
    m_ringTimer.setInterval(8000);
    connect(&m_ringTimer, &QTimer::timeout, this, [this] {
        if (m_callState == CallState::Offering) {
            deliverCallerId();
            goIdle();
        }
    });
    connect(&m_port, &ModemPort::lineReceived, this, &TetLine::lineReceived);
    connect(&m_port, &ModemPort::failed, this, &TetLine::portFailed);
    enumerate();
}

TetLine::~TetLine()
{
    // Drop a call still on the modem; no events go out any more.
    blockSignals(true);
    close();
}

void TetLine::post(void (TetLine::*signal)())
{
    // Queued: a handler that deletes this line's owner cancels the rest.
    QMetaObject::invokeMethod(this, signal, Qt::QueuedConnection);
}

bool TetLine::recordError(qint32 code)
{
    m_error.Number = code;
    m_error.Text = LineError::text(code);
    m_error.Hex = LineError::hex(code);
    if (code != 0)
        post(&TetLine::OnError);
    return code == 0;
}

void TetLine::enumerate()
{
    m_device.List = m_source();
    m_device.Count = int(m_device.List.size());
    m_device.Name = m_device.List.value(m_device.ID);
    m_error = TError();
}

bool TetLine::SetDeviceID(int id)
{
    if (id < 0 || id >= m_device.Count)
        return recordError(LineError::BadDeviceId);
    if (m_device.Active && !close())
        return false;
    m_device.ID = id;
    enumerate();
    return true;
}

bool TetLine::SetActive(bool active)
{
    if (active != m_device.Active)
        active ? open() : close();
    return m_device.Active == active;
}

bool TetLine::open()
{
    clearError();
    if (m_device.ID < 0 || m_device.ID >= m_device.Count)
        return recordError(LineError::BadDeviceId);
    if (!m_port.open(m_device.List.at(m_device.ID))) {
        // Held by another program (a modem manager, another copy): in use.
        return recordError(m_port.lastErrno() == EBUSY ? LineError::InUse : LineError::Device);
    }
    m_device.Active = true;
    m_queue.clear();
    m_waiting = false;
    send("AT+VCID=1", Purpose::CallerIdOn);
    return true;
}

bool TetLine::close()
{
    clearError();
    if (!m_device.Active)
        return true;
    // A drop still waiting behind another command's reply goes out now.
    const bool dropSent = m_waiting && !m_queue.empty() && m_queue.front().purpose == Purpose::Hangup;
    if (HasCall() && !dropSent)
        m_port.writeLine("ATH");
    release();
    return true;
}

void TetLine::release()
{
    m_replyTimer.stop();
    m_ringTimer.stop();
    m_queue.clear();
    m_waiting = false;
    m_port.close();
    m_device.Active = false;
    goIdle();
}

void TetLine::send(const QByteArray &text, Purpose purpose)
{
    m_queue.push_back({text, purpose});
    if (!m_waiting)
        sendNext();
}

void TetLine::sendNext()
{
    if (m_waiting || m_queue.empty() || !m_port.isOpen())
        return;
    if (!m_port.writeLine(m_queue.front().text)) {
        portFailed();
        return;
    }
    m_waiting = true;
    m_replyTimer.start();
}

bool TetLine::Dial()
{
    clearError();
    if (m_phoneNumber.isEmpty())
        return true;
    const std::optional<QString> digits = DialString::checked(m_phoneNumber);
    if (!digits)
        return recordError(LineError::InvalAddress);
    if (!m_device.Active)
        return recordError(LineError::InvalLineHandle);
    if (m_callState == CallState::Offering)
        return recordError(LineError::InvalCallHandle);
    // The call being dropped ends with its own idle event; a new one waits for it.
    if (m_callState == CallState::Dropping)
        return recordError(LineError::InvalCallState);
    // A voice call: the ";" keeps the modem in command mode after dialing.
    m_callState = CallState::Dialing;
    m_callerId.Name.clear();
    m_callerId.Number.clear();
    m_connectedAt = QDateTime();
    send("ATDT" + digits->toLatin1() + ';', Purpose::Dial);
    return true;
}

bool TetLine::Hangup()
{
    clearError();
    if (!HasCall() || m_callState == CallState::Dropping)
        return true;
    if (!m_device.Active)
        return recordError(LineError::InvalLineHandle);
    m_callState = CallState::Dropping;
    send("ATH", Purpose::Hangup);
    return true;
}

bool TetLine::Answer()
{
    clearError();
    if (m_callState != CallState::Offering)
        return recordError(LineError::InvalCallHandle);
    m_ringTimer.stop();
    send("ATA", Purpose::Answer);
    return true;
}

void TetLine::lineReceived(const QByteArray &line)
{
    if (m_waiting && !m_queue.empty() && line == m_queue.front().text)
        return; // the modem's echo of our command
    if (m_waiting && finalCode(line) != Reply::None) {
        finalReply(line);
        return;
    }
    if (line == "RING") {
        ring();
        return;
    }
    if (line == "NO CARRIER" && m_callState == CallState::Connected) {
        m_disconnectedAt = QDateTime::currentDateTime();
        goIdle();
        return;
    }
    callerIdLine(line);
}

void TetLine::finalReply(const QByteArray &line)
{
    const Reply reply = finalCode(line);
    const Command command = m_queue.front();
    m_queue.pop_front();
    m_waiting = false;
    m_replyTimer.stop();
    const bool ok = reply == Reply::Ok || reply == Reply::Connect;
    switch (command.purpose) {
    case Purpose::CallerIdOn:
        // Modems of the other command family know only the older form.
        if (!ok)
            m_queue.push_front({"AT#CID=1", Purpose::CallerIdFallback});
        break;
    case Purpose::CallerIdFallback:
        // The line works, but cannot tell who calls.
        if (!ok)
            recordError(LineError::NotCompliant);
        break;
    case Purpose::Dial:
        if (ok) {
            if (m_callState == CallState::Dialing) {
                m_callState = CallState::Connected;
                m_connectedAt = QDateTime::currentDateTime();
            }
        } else {
            recordError(failureCode(reply));
            if (m_callState == CallState::Dialing)
                goIdle();
        }
        break;
    case Purpose::Hangup:
        if (ok) {
            m_disconnectedAt = QDateTime::currentDateTime();
            goIdle();
        } else {
            m_callState = m_connectedAt.isValid() ? CallState::Connected : CallState::Dialing;
            recordError(failureCode(reply));
        }
        break;
    case Purpose::Answer:
        if (ok) {
            m_callState = CallState::Connected;
            m_connectedAt = QDateTime::currentDateTime();
        } else {
            recordError(failureCode(reply));
        }
        break;
    }
    sendNext();
}

void TetLine::replyTimedOut()
{
    if (!m_waiting || m_queue.empty())
        return;
    const Purpose purpose = m_queue.front().purpose;
    m_queue.pop_front();
    m_waiting = false;
    recordError(purpose == Purpose::CallerIdFallback || purpose == Purpose::CallerIdOn ? LineError::NotCompliant
                                                                                        : LineError::TimedOut);
    if (purpose == Purpose::Dial || purpose == Purpose::Hangup)
        goIdle();
    sendNext();
}

void TetLine::portFailed()
{
    recordError(LineError::Device);
    release();
}

void TetLine::offering()
{
    m_callState = CallState::Offering;
    m_rings = 0;
    m_block = CallerIdBlock();
    m_callerIdDelivered = false;
    m_callerId.Name.clear();
    m_callerId.Number.clear();
    m_connectedAt = QDateTime();
}

void TetLine::ring()
{
    if (m_callState == CallState::None)
        offering();
    if (m_callState != CallState::Offering)
        return;
    // The block lies between rings: a ring after it closes it.
    if (!m_block.empty())
        deliverCallerId();
    ++m_rings;
    const int count = m_rings;
    QMetaObject::invokeMethod(this, [this, count] { emit OnRing(count); }, Qt::QueuedConnection);
    m_ringTimer.start();
}

void TetLine::callerIdLine(const QByteArray &line)
{
    CallerIdBlock block = m_block;
    if (!block.addLine(line))
        return; // neither a reply nor caller ID: nothing we act on
    // Some networks send the block before the first ring.
    if (m_callState == CallState::None) {
        offering();
        m_ringTimer.start();
    }
    if (m_callState != CallState::Offering || m_callerIdDelivered)
        return;
    m_block = block;
    if (m_block.numberSeen && m_block.nameSeen)
        deliverCallerId();
}

void TetLine::deliverCallerId()
{
    if (m_callerIdDelivered || m_block.empty())
        return;
    m_callerIdDelivered = true;
    const CallerIdText text = decodeCallerId(m_block, m_callerId.FormatName, m_callerId.FormatNumber);
    m_callerId.Name = text.name;
    m_callerId.Number = text.number;
    m_callerId.Blocked = text.blocked;
    m_callerId.OutOfArea = text.outOfArea;
    m_callerId.Flags = m_block.flags;
    post(&TetLine::OnCallerID);
}

void TetLine::goIdle()
{
    // Once per call, however many replies report its end.
    if (m_callState == CallState::None)
        return;
    m_callState = CallState::None;
    m_ringTimer.stop();
    m_rings = 0;
    m_block = CallerIdBlock();
    post(&TetLine::OnIdle);
}
