#include "dialersession.h"

#include "dialcompose.h"
#include "platform/telephonyerrors.h"
#include "platform/telephonyline.h"

DialerSession::DialerSession(const TDialSettings &settings, std::unique_ptr<TetLine> line, QObject *parent)
    : QObject(parent), m_settings(settings), m_line(std::move(line))
{
    m_line->setParent(nullptr);
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &DialerSession::tick);
    m_redialWait.setSingleShot(true);
    m_redialWait.setInterval(RedialWaitMs);
    // Waited long enough: the line says itself why it cannot dial yet.
    connect(&m_redialWait, &QTimer::timeout, this, [this] {
        if (m_redialPending) {
            m_redialPending = false;
            dial();
        }
    });
    connect(m_line.get(), &TetLine::OnIdle, this, &DialerSession::lineIdle);
    connect(m_line.get(), &TetLine::OnError, this, &DialerSession::lineError);
}

DialerSession::~DialerSession()
{
    Close();
}

QString DialerSession::FormatDuration(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString DialerSession::ErrorMessage(const QString &errorText)
{
    return QLatin1String(ErrorTextStart) + errorText + QLatin1String(ErrorTextEnd);
}

void DialerSession::setStatus(const QString &text)
{
    m_status = text;
    emit statusChanged(text);
}

void DialerSession::Start(const QString &number)
{
    const ComposedDial composed = ComposeDialString(number, m_settings);
    m_number = composed.number;
    m_offerLongDistance = composed.offerLongDistance;
    m_line->SetPhoneNumber(composed.dialString);
    const int device = m_settings.DeviceIndex(m_line->Device().List);
    // A device that is gone is refused with an error the user sees.
    if (!m_line->SetDeviceID(device >= 0 ? device : m_line->Device().Count) || !m_line->SetActive(true))
        return;
    dial();
}

void DialerSession::dial()
{
    setStatus(QStringLiteral("Dial ") + m_line->PhoneNumber());
    m_line->Dial();
}

void DialerSession::Talk()
{
    m_line->Hangup();
    m_start = QDateTime::currentDateTime();
    m_hungUp = QDateTime();
    m_timer.start();
    emit talkEnabledChanged(false);
}

void DialerSession::tick()
{
    setStatus(QStringLiteral("Duration: ") + FormatDuration(m_start.secsTo(QDateTime::currentDateTime())));
}

void DialerSession::Hangup()
{
    setStatus(QStringLiteral("Hanging up..."));
    m_line->Hangup();
    m_hungUp = QDateTime::currentDateTime();
    const bool wasTalking = m_timer.isActive();
    m_timer.stop();
    if (wasTalking)
        emit talkEnabledChanged(true);
}

void DialerSession::Redial()
{
    Hangup();
    if (m_longDistance)
        m_line->SetPhoneNumber(ComposeLongDistanceString(m_number, m_settings));
    if (!m_line->HasCall()) {
        dial();
        return;
    }
    // The old call ends with its own idle event; the new one waits for it.
    m_redialPending = true;
    m_redialWait.start();
}

void DialerSession::lineIdle()
{
    if (m_closed)
        return;
    setStatus(QString());
    if (m_redialPending) {
        m_redialPending = false;
        m_redialWait.stop();
        dial();
    }
}

void DialerSession::lineError()
{
    if (m_closed || m_line->Error().Number == LineError::NotCompliant || m_line->Error().Number == 0)
        return;
    emit errorRaised(ErrorMessage(m_line->Error().Text));
}

void DialerSession::Close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_redialPending = false;
    m_redialWait.stop();
    m_timer.stop();
    disconnect(m_line.get(), nullptr, this, nullptr);
    if (!m_hungUp.isValid())
        m_line->Hangup();
}
