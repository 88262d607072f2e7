#pragma once

#include "dialsettings.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <memory>

class TetLine;

// The dialer window's work without its widgets: dials the composed number, hands
// the call to the handset on "Talk", counts the call's duration, hangs up and
// redials. The window shows statusChanged in its status bar and errorRaised in a
// message box.
class DialerSession : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *ErrorTextStart = "An error occurred while attempting to dial: ";
    static constexpr const char *ErrorTextEnd =
        ". Please verify your dialer settings by selecting the View...Options menu item.";

    // line: the window's own line (owned by the session).
    DialerSession(const TDialSettings &settings, std::unique_ptr<TetLine> line, QObject *parent = nullptr);
    ~DialerSession() override;

    // Composes the dial string for number and dials it on the chosen device.
    void Start(const QString &number);
    // The number kept for a long-distance redial, and whether to offer one.
    QString keptNumber() const { return m_number; }
    bool offersLongDistance() const { return m_offerLongDistance; }
    void SetLongDistance(bool on) { m_longDistance = on; }

    void Talk();
    void Hangup();
    // Hangs up, waits for the call to go idle (at most RedialWaitMs) and dials again.
    void Redial();
    // The window closes: no more messages; a call never hung up is dropped.
    void Close();

    bool talkEnabled() const { return !m_timer.isActive(); }
    QString status() const { return m_status; }
    TetLine &line() { return *m_line; }

    // h:nn:ss
    static QString FormatDuration(qint64 seconds);
    static QString ErrorMessage(const QString &errorText);
    static constexpr int RedialWaitMs = 10000;
    // How long Redial waits for the old call to go idle.
    void SetRedialWait(int ms) { m_redialWait.setInterval(ms); }

signals:
    void statusChanged(const QString &text);
    void errorRaised(const QString &message);
    void talkEnabledChanged(bool enabled);

private:
    void setStatus(const QString &text);
    void dial();
    void lineIdle();
    void lineError();
    void tick();

    TDialSettings m_settings;
    std::unique_ptr<TetLine> m_line;
    QString m_number;
    bool m_offerLongDistance = false;
    bool m_longDistance = false;
    QDateTime m_start, m_hungUp;
    QTimer m_timer;
    QTimer m_redialWait;
    bool m_redialPending = false;
    bool m_closed = false;
    QString m_status;
};
