#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (the end of the desktop session, a kill, Ctrl+C in
// the terminal) reach the event loop as a signal of this object, so the program
// can end as by "Exit" and save everything. One per process.
class TEndSignals : public QObject
{
    Q_OBJECT
public:
    explicit TEndSignals(QObject *parent = nullptr);
    ~TEndSignals() override;

    bool isActive() const { return m_notifier != nullptr; }

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier *m_notifier = nullptr;
};
