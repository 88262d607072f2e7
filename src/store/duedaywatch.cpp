#include "duedaywatch.h"

#include "databasecontext.h"
#include "reminderobject.h"
#include "treenodes.h"

#include <QDBusConnection>
#include <QDateTime>

int RecheckDueStates(TTreeNodes &nodes)
{
    const QDate today = nodes.Context().Today();
    int changed = 0;
    for (TTreeNode *node = nodes.First(); node; node = node->NextPreorder()) {
        TZEBObject *item = node->Item();
        if (!item)
            continue;
        if (item->Pending()) {
            // Records not made yet are counted where they lie.
            changed += item->RecheckPendingDue(today) ? 1 : 0;
            continue;
        }
        for (int c = 0; c < item->ChildCount(); ++c) {
            auto *reminder = dynamic_cast<TReminderObject *>(item->ChildAt(c));
            if (reminder && reminder->Alert() != reminder->IsDue()) {
                reminder->UpdateDueState();
                ++changed;
            }
        }
    }
    return changed;
}

DueDayWatch::DueDayWatch(TTreeNodes &nodes, QObject *parent)
    : QObject(parent), m_nodes(nodes), m_day(nodes.Context().Today())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { Check(); });
    arm();
}

bool DueDayWatch::Check()
{
    const QDate today = m_nodes.Context().Today();
    const bool changed = today != m_day;
    m_day = today;
    if (changed) {
        RecheckDueStates(m_nodes);
        emit dayChanged();
    }
    arm();
    return changed;
}

void DueDayWatch::ListenForResume()
{
    QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                                         QStringLiteral("org.freedesktop.login1.Manager"),
                                         QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
}

void DueDayWatch::prepareForSleep(bool sleeping)
{
    if (!sleeping)
        Check();
}

void DueDayWatch::arm()
{
    constexpr qint64 longest = 15 * 60 * 1000;
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date().addDays(1), QTime(0, 0));
    // A second after midnight, so the new day has surely begun.
    const qint64 wait = qBound<qint64>(1000, now.msecsTo(midnight) + 1000, longest);
    m_timer.start(std::chrono::milliseconds(wait));
}
