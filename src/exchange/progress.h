#pragma once

#include <QObject>
#include <QString>
#include <functional>

// What the progress form shows while long work (a search, printing, publishing) runs on
// the window's own thread: an action text, a bar from 0 to 100 with its percentage, and a
// result text. The work holds it through a ProgressRun; one run at a time, since the
// events the form lets through could start a second one.
//
// The form appears only once a run has lasted ShowDelay milliseconds: work that ends
// sooner would only flash a window.
class ProgressState : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 DefaultShowDelay = 400;

    explicit ProgressState(QObject *parent = nullptr);

    void SetMax(qint64 max);
    void SetPosition(qint64 position);
    void SetAction(const QString &text);
    void SetResult(const QString &text);

    qint64 Max() const { return m_max; }
    qint64 Position() const { return m_position; }
    // position × 100 ÷ maximum, whole division, within 0 to 100; 100 when the maximum is 0.
    int Percent() const;
    QString PercentText() const;
    const QString &Action() const { return m_action; }
    const QString &Result() const { return m_result; }

    bool Running() const { return m_running; }
    // Whether the form is to be seen now.
    bool Shown() const { return m_shown; }
    // Whether the running work offers the user a way to stop it.
    bool Cancellable() const { return m_cancellable; }
    bool CancelRequested() const { return m_cancelRequested; }
    // The user asks to stop: heard only while cancellable work runs.
    void Cancel();

    void SetShowDelay(qint64 ms) { m_showDelay = ms; }
    // Milliseconds from any fixed point; tests give their own clock.
    void SetClock(std::function<qint64()> clock);

signals:
    // The percentage, the action or the result changed: the form repaints at once.
    void changed();
    // The form is to appear (true) or to go (false).
    void shownChanged(bool shown);

private:
    friend class ProgressRun;
    bool begin(const QString &action, qint64 max, bool cancellable);
    void end();
    void checkShow();

    qint64 m_max = 0;
    qint64 m_position = 0;
    QString m_action;
    QString m_result;
    bool m_running = false;
    bool m_shown = false;
    bool m_cancellable = false;
    bool m_cancelRequested = false;
    qint64 m_showDelay = DefaultShowDelay;
    qint64 m_startedAt = 0;
    std::function<qint64()> m_clock;
};

// One run of work on the progress form, from its creation to its end. Check it before
// working: false means another run holds the form, and this work must not start.
class ProgressRun
{
public:
    ProgressRun(ProgressState &state, const QString &action, qint64 max, bool cancellable = false);
    ~ProgressRun();
    ProgressRun(const ProgressRun &) = delete;
    ProgressRun &operator=(const ProgressRun &) = delete;

    explicit operator bool() const { return m_held; }
    // Moves the bar on by one; false once the user asked to stop.
    bool Step();

private:
    ProgressState &m_state;
    bool m_held;
};
