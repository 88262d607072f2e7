#include "callermonitor.h"

#include "dialsettings.h"
#include "platform/telephonyerrors.h"
#include "platform/telephonyline.h"

#include <QDateTime>

CallerIdMonitor::CallerIdMonitor(LineMaker makeLine, const QString &historyFile, QObject *parent)
    : QObject(parent), m_makeLine(std::move(makeLine)), m_historyFile(historyFile)
{
    m_history.Load(m_historyFile);
    // Every change is written at once, so no call is lost if the program does not end normally.
    for (auto signal : {&TCallerHistory::rowsInserted, &TCallerHistory::rowsRemoved})
        connect(&m_history, signal, this, [this] { SaveHistory(); });
    connect(&m_history, &TCallerHistory::dataChanged, this, [this] { SaveHistory(); });
}

CallerIdMonitor::~CallerIdMonitor()
{
    if (m_line)
        m_line->blockSignals(true);
}

TetLine &CallerIdMonitor::line()
{
    if (m_line)
        return *m_line;
    // Made when first needed: looking for modems takes time nobody without caller ID should wait.
    m_line = m_makeLine();
    m_line->setParent(nullptr);
    connect(m_line.get(), &TetLine::OnCallerID, this, &CallerIdMonitor::callerId);
    connect(m_line.get(), &TetLine::OnIdle, this, &CallerIdMonitor::idle);
    connect(m_line.get(), &TetLine::OnError, this, [this] {
        // A line that cannot tell who calls still rings; the user need not hear of it.
        if (m_line->Error().Number != LineError::NotCompliant && m_line->Error().Number != 0)
            emit lineError(m_line->Error().Text);
    });
    return *m_line;
}

bool CallerIdMonitor::SetCallerId(bool on, const TDialSettings &settings)
{
    if (!on)
        return !m_line || m_line->SetActive(false);
    TetLine &watch = line();
    if (watch.Device().Active)
        return true;
    const int device = settings.DeviceIndex(watch.Device().List);
    return watch.SetDeviceID(device >= 0 ? device : watch.Device().Count) && watch.SetActive(true);
}

bool CallerIdMonitor::IsActive() const
{
    return m_line && m_line->Device().Active;
}

bool CallerIdMonitor::Suspend()
{
    const bool wasActive = IsActive();
    if (m_line)
        m_line->SetActive(false);
    return wasActive;
}

void CallerIdMonitor::Resume(bool wasActive)
{
    if (wasActive)
        line().SetActive(true);
}

bool CallerIdMonitor::SaveHistory(QString *why) const
{
    return m_history.Save(m_historyFile, why);
}

void CallerIdMonitor::callerId()
{
    m_name = m_line->CallerID().Name;
    m_number = m_line->CallerID().Number;
    m_findEnabled = true;
    m_history.Add(m_name, m_number, QDateTime::currentDateTime());
    emit callArrived();
}

void CallerIdMonitor::idle()
{
    m_name = NoCall;
    m_number = NoCall;
    m_findEnabled = false;
    emit callEnded();
}
