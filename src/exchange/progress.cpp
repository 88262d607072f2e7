#include "progress.h"

#include <QElapsedTimer>

ProgressState::ProgressState(QObject *parent) : QObject(parent)
{
    SetClock({});
}

void ProgressState::SetClock(std::function<qint64()> clock)
{
    if (clock) {
        m_clock = std::move(clock);
        return;
    }
    QElapsedTimer started;
    started.start();
    m_clock = [started] { return started.elapsed(); };
}

int ProgressState::Percent() const
{
    if (m_max <= 0)
        return 100;
    return int(qBound<qint64>(0, m_position, m_max) * 100 / m_max);
}

QString ProgressState::PercentText() const { return QString::asprintf("%d%%", Percent()); }

void ProgressState::SetMax(qint64 max)
{
    const int before = Percent();
    m_max = max;
    if (Percent() != before)
        emit changed();
}

void ProgressState::SetPosition(qint64 position)
{
    const int before = Percent();
    m_position = position;
    // A percentage is the least the eye can see: a search of 600,000 items repaints 100 times.
    if (Percent() == before)
        return;
    checkShow();
    emit changed();
}

void ProgressState::SetAction(const QString &text)
{
    if (m_action == text)
        return;
    m_action = text;
    emit changed();
}

void ProgressState::SetResult(const QString &text)
{
    if (m_result == text)
        return;
    m_result = text;
    emit changed();
}

void ProgressState::Cancel()
{
    if (m_running && m_cancellable)
        m_cancelRequested = true;
}

bool ProgressState::begin(const QString &action, qint64 max, bool cancellable)
{
    if (m_running)
        return false;
    m_running = true;
    m_cancellable = cancellable;
    m_cancelRequested = false;
    m_startedAt = m_clock();
    m_max = max;
    m_position = 0;
    m_result.clear();
    m_action = action;
    emit changed();
    checkShow();
    return true;
}

void ProgressState::end()
{
    m_running = false;
    m_cancellable = false;
    if (m_shown) {
        m_shown = false;
        emit shownChanged(false);
    }
}

void ProgressState::checkShow()
{
    if (m_running && !m_shown && m_clock() - m_startedAt >= m_showDelay) {
        m_shown = true;
        emit shownChanged(true);
    }
}

ProgressRun::ProgressRun(ProgressState &state, const QString &action, qint64 max, bool cancellable)
    : m_state(state), m_held(state.begin(action, max, cancellable))
{
}

ProgressRun::~ProgressRun()
{
    if (m_held)
        m_state.end();
}

bool ProgressRun::Step()
{
    if (!m_held)
        return false;
    m_state.SetPosition(m_state.Position() + 1);
    return !m_state.CancelRequested();
}
