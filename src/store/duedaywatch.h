#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>

class TTreeNodes;

// Works the due marks out again for the database's today, every reminder made or
// still waiting in its file, in one walk of the tree. Returns how many items and
// containers changed their due state or count.
int RecheckDueStates(TTreeNodes &nodes);

// The program lives in the tray for days: when the day changes (local midnight, or a
// machine that resumes on a later day) the due marks are worked out again. Check()
// looks at the day; a timer calls it just after each midnight and at least every
// quarter of an hour (a suspended machine's timers run late), and the program calls
// it when the machine says it has resumed.
class DueDayWatch : public QObject
{
    Q_OBJECT
public:
    explicit DueDayWatch(TTreeNodes &nodes, QObject *parent = nullptr);

    // True when the day had changed since the last look; the marks are then redone
    // and dayChanged() is sent.
    bool Check();
    // Also looks as soon as the login manager says the machine woke up; without a
    // system bus the timer alone sees the new day.
    void ListenForResume();

signals:
    void dayChanged();

private slots:
    void prepareForSleep(bool sleeping);

private:
    void arm();

    TTreeNodes &m_nodes;
    QDate m_day;
    QTimer m_timer;
};
