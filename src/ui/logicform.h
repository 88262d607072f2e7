#pragma once

#include "commandline.h"

#include <QObject>
#include <QList>
#include <QTimer>
#include <memory>

class QAction;
class QMenu;
class TMainForm;
class TMainFormLayout;
class TMainWinState;
class TTrayIcon;

// The hidden logical form: owns the tray icon and its menu, decides what closing
// the main window means, runs the main window's command line on its first show,
// and ends the program, saving the database, the layouts and the tools once.
class TLogicForm : public QObject
{
    Q_OBJECT
public:
    static inline const QString FirstTip = QStringLiteral("Click to view main window");
    static constexpr const char *ExitUnsavedQuestion =
        "The database could not be saved. Exit anyway and lose the changes made since the last save?";

    // ownCommandLine: the program's own, imported at the main window's first show.
    TLogicForm(TMainForm &mainForm, const CommandLine::Request &ownCommandLine, QObject *parent = nullptr);
    ~TLogicForm() override;

    // Tray "&Restore": show the main window and make it active.
    void Restore();
    // The main window shows itself and imports the files the command line names.
    void HandleCommandLine(const CommandLine::Request &request);
    // File "E&xit" and the tray's "&Exit": ends the program after EndProgram. When the
    // database could not be saved the user is asked first, and the program stays on No.
    // A running transfer is cancelled first and the program ends once it has stopped.
    void Exit();
    // Writes everything once (later calls do nothing). False when the database
    // could not be saved.
    bool EndProgram();
    bool Ended() const { return m_ended; }

    TTrayIcon *trayIcon() const { return m_tray; }
    // The tray menu's "&Caller ID" entry (enabled once caller ID is wired).
    QAction *callerIdAction() const { return m_callerIdAction; }
    QMenu *trayMenu() const { return m_menu.get(); }
    TMainWinState &winState() const { return *m_winState; }
    // Whether closing the main window hides it (a tray to come back from) or minimises it.
    bool HidesOnClose() const { return m_hideOnClose; }
    void SetHidesOnClose(bool hide) { m_hideOnClose = hide; }

signals:
    // Every import of a command line is done.
    void commandLineHandled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTrayMenu();
    void fillToolsMenu();
    void connectMainForm();
    void firstShow();
    void importArguments(const CommandLine::Request &request);
    void importVCard(const CommandLine::Request::Import &file);
    void handleWaiting();
    bool confirmExitUnsaved();
    // Closes the open dialog, if any, as Cancel; true while the end must wait for one.
    bool closingDialogs();

    TMainForm &m_form;
    CommandLine::Request m_ownCommandLine;
    std::unique_ptr<TMainFormLayout> m_layout;
    std::unique_ptr<TMainWinState> m_winState;
    std::unique_ptr<QMenu> m_menu;
    QMenu *m_toolsMenu = nullptr;
    QAction *m_callerIdAction = nullptr;
    TTrayIcon *m_tray = nullptr;
    bool m_firstShow = true;
    // The event-loop level of the dialog last closed for the end, 0 when none; the end
    // waits (a bounded number of turns) until that dialog's loop has returned.
    int m_closedDialogLevel = 0;
    int m_endWaits = 0;
    bool m_hideOnClose = true;
    bool m_ended = false;
    bool m_exitAfterTransfer = false;
    // Command lines of later starts that came while a dialog was open.
    QList<CommandLine::Request> m_waiting;
    QTimer m_waitTimer;
};
