#include "telephony.h"

#include "calleridform.h"
#include "comms/callerhistory.h"
#include "comms/callermonitor.h"
#include "platform/profile.h"
#include "platform/programsettings.h"
#include "platform/telephonyline.h"
#include "ui/guiservices.h"
#include "ui/imagelist.h"
#include "ui/logicform.h"
#include "ui/mainform.h"
#include "store/kinds.h"

#include <QAction>
#include <QMessageBox>

Telephony::Telephony(TMainForm &mainForm, TLogicForm *logicForm, TDialPhoneDialog::LineMaker makeLine,
                     QObject *parent)
    : QObject(parent), m_mainForm(mainForm), m_logicForm(logicForm), m_dialPhone(std::move(makeLine))
{
    m_callerIdForm = std::make_unique<TCallerIdForm>(
        std::make_unique<CallerIdMonitor>([this] { return m_dialPhone.makeLine(); }, TCallerHistory::FileName));
    m_callerIdForm->setPhoneIcon(mainForm.imageList().Icon(int(Image::Phone)));
    m_callerIdForm->dial = [this](const QString &recipient, const QString &number) { Dial(recipient, number); };
    m_callerIdForm->locatePhone = [this](const QString &number) {
        if (m_logicForm)
            m_logicForm->Restore();
        else
            m_mainForm.show();
        m_mainForm.LocatePhone(number);
    };
    connect(&m_callerIdForm->monitor(), &CallerIdMonitor::lineError, this, [this](const QString &text) {
        QMessageBox::critical(m_callerIdForm->isVisible() ? static_cast<QWidget *>(m_callerIdForm.get()) : nullptr,
                              tr("Caller ID"), tr("The caller ID line reports an error: %1.").arg(text));
        showCallerIdState();
    });

    mainForm.services().dialer = [this](const QString &recipient, const QString &number) { Dial(recipient, number); };
    mainForm.dialAction()->setEnabled(true);
    if (m_logicForm) {
        QAction *entry = m_logicForm->callerIdAction();
        entry->setEnabled(true);
        connect(entry, &QAction::triggered, this, [this, entry] { SetCallerId(entry->isChecked()); });
    }
    SetCallerId(Settings::CallerIdOn(Profile()));
}

Telephony::~Telephony()
{
    m_mainForm.services().dialer = nullptr;
}

bool Telephony::CallerIdOn() const
{
    return m_callerIdForm->monitor().IsActive();
}

void Telephony::showCallerIdState()
{
    const bool on = CallerIdOn();
    m_callerIdForm->setTrayIconActive(on);
    if (m_logicForm)
        m_logicForm->callerIdAction()->setChecked(on);
}

bool Telephony::SetCallerId(bool on)
{
    const bool done = m_callerIdForm->monitor().SetCallerId(on, m_dialPhone.Settings);
    showCallerIdState();
    return done;
}

void Telephony::Dial(const QString &recipient, const QString &number)
{
    const bool wasOn = m_callerIdForm->monitor().Suspend();
    m_dialPhone.Title = QLatin1String(DialPhoneTitle);
    m_dialPhone.Recipient = recipient;
    m_dialPhone.PhoneNumber = number;
    m_dialPhone.Execute(m_mainForm.isVisible() ? static_cast<QWidget *>(&m_mainForm) : nullptr);
    m_callerIdForm->monitor().Resume(wasOn);
    showCallerIdState();
}
