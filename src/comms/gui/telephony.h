#pragma once

#include "dialphonedialog.h"

#include <QObject>
#include <memory>

class TCallerIdForm;
class TLogicForm;
class TMainForm;

// Dialing and caller ID in the desktop program: the one dialing component, the
// caller-ID window with its tray icon, and their ties to the main window (double
// click on a phone, the "Dial" entry, "Find") and to the tray menu's "Caller ID".
class Telephony : public QObject
{
    Q_OBJECT
public:
    static constexpr const char *DialPhoneTitle = "Dial Phone";

    // Wires itself into the main window and the tray menu, and starts caller-ID
    // monitoring when the settings file says so. makeLine as for TDialPhoneDialog.
    Telephony(TMainForm &mainForm, TLogicForm *logicForm, TDialPhoneDialog::LineMaker makeLine = {},
              QObject *parent = nullptr);
    ~Telephony() override;

    // A phone's Dial: the caller-ID line lends its device to the dialer window
    // and gets it back once the window is closed.
    void Dial(const QString &recipient, const QString &number);
    // Starts or stops caller-ID monitoring; the tray entry shows what it is.
    bool SetCallerId(bool on);
    bool CallerIdOn() const;

    TDialPhoneDialog &dialPhone() { return m_dialPhone; }
    TCallerIdForm &callerIdForm() { return *m_callerIdForm; }

private:
    void showCallerIdState();

    TMainForm &m_mainForm;
    TLogicForm *m_logicForm;
    TDialPhoneDialog m_dialPhone;
    std::unique_ptr<TCallerIdForm> m_callerIdForm;
};
