#pragma once

#include "comms/dialsettings.h"

#include <QString>
#include <functional>
#include <memory>

class QWidget;
class TetLine;

// How the program dials: the dialer window for a number, and the "Dialing
// Properties" dialog for the settings. One lives for the whole run (Telephony).
class TDialPhoneDialog
{
public:
    using LineMaker = std::function<std::unique_ptr<TetLine>()>;

    // The lines of the dialer and of the device list come from makeLine (the
    // modems of this machine by default).
    explicit TDialPhoneDialog(LineMaker makeLine = {});

    QString Title;
    QString PhoneNumber;
    QString Recipient;
    TDialSettings Settings;

    // Shows the dialer window modally with Title, Recipient and PhoneNumber, and
    // frees it when it closes.
    void Execute(QWidget *parent);
    // Edits a copy of Settings in "Dialing Properties"; only OK takes it (saved).
    bool Setup(QWidget *parent);
    // After another copy saved new settings.
    void Reload() { Settings.Reload(); }

    // The dialer window while it is open, for tests; none otherwise.
    std::function<void(QWidget &dialer)> onShown;

    std::unique_ptr<TetLine> makeLine() const;

private:
    LineMaker m_makeLine;
};
