#pragma once

#include "callerhistory.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class TDialSettings;
class TetLine;

// Caller-ID monitoring without the window: the caller-ID line, what the window's
// labels show, and the history. A call's caller ID makes a history entry at once;
// the history file is written on every change of the history.
class CallerIdMonitor : public QObject
{
    Q_OBJECT
public:
    static inline const QString NoCall = QStringLiteral("None");

    using LineMaker = std::function<std::unique_ptr<TetLine>()>;

    // makeLine: makes the caller-ID line the first time monitoring starts (owned by
    // the monitor); historyFile: where the history lives.
    CallerIdMonitor(LineMaker makeLine, const QString &historyFile, QObject *parent = nullptr);
    ~CallerIdMonitor() override;

    // Opens the line on the device the dialing settings name, or closes it.
    // False (with lineError raised) when it cannot be opened.
    bool SetCallerId(bool on, const TDialSettings &settings);
    bool IsActive() const;
    // Lends the line's device to the dialer: closes the line and returns whether it was open.
    bool Suspend();
    // Opens the line again when it was open before Suspend.
    void Resume(bool wasActive);

    QString name() const { return m_name; }
    QString number() const { return m_number; }
    // The upper "Find" button: only while a call is shown.
    bool findEnabled() const { return m_findEnabled; }

    TCallerHistory &history() { return m_history; }
    TetLine &line();
    // Writes the history file; false with the reason in *why.
    bool SaveHistory(QString *why = nullptr) const;
    QString historyFile() const { return m_historyFile; }

signals:
    // Caller ID arrived: the window shows itself with name() and number().
    void callArrived();
    // The call went idle: the labels read "None" again.
    void callEnded();
    // The line could not be opened or failed: the line's error text.
    void lineError(const QString &text);

private:
    void callerId();
    void idle();

    LineMaker m_makeLine;
    std::unique_ptr<TetLine> m_line;
    QString m_historyFile;
    TCallerHistory m_history;
    QString m_name = NoCall;
    QString m_number = NoCall;
    bool m_findEnabled = false;
};
