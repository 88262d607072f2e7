#pragma once

#include <QObject>
#include <functional>

class TMainForm;
class TOptionPages;

// View > "Options...": runs the options dialog over the main window's tool list and
// category names, writes zeb.ini on OK and tells those who hold a setting, so a
// change counts at once; the tool menus are made again whatever the result.
// Readers that look the file up on each use (the browser,
// the mail method) see it from the next use on.
class TOptionsCommand : public QObject
{
    Q_OBJECT
public:
    explicit TOptionsCommand(TMainForm &mainForm, QObject *parent = nullptr);

    // Set by dialing and caller ID once they are wired: "Dial Settings..." (on OK of
    // that dialog the settings are saved), reloading the dialing settings, and
    // switching caller ID on or off. Unset: the button is disabled, nothing is told.
    std::function<void(QWidget *parent)> dialSettings;
    std::function<void()> reloadDialSettings;
    std::function<void(bool on)> setCallerId;

    // Shown with the dialog before it runs, for tests.
    std::function<void(TOptionPages &dialog)> onShown;

    // True when the dialog closed with OK and the file took the options.
    bool OptionsItemClick();

private:
    TMainForm &m_form;
};
