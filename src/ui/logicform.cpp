#include "logicform.h"

#include "aboutbox.h"
#include "comms/httptransport.h"
#include "databasecommands.h"
#include "dialogs/vcimportdialog.h"
#include "exchange/vcardimport.h"
#include "helptopics.h"
#include "imagelist.h"
#include "guiservices.h"
#include "mainform.h"
#include "mainformlayout.h"
#include "mainwinstate.h"
#include "platform/profile.h"
#include "programend.h"
#include "store/errorreport.h"
#include "store/itemservices.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "toolmenus.h"
#include "trayicon.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <utility>

namespace {
constexpr int RootImage = 12;
constexpr int WaitForDialogMs = 250;
} // namespace

TLogicForm::TLogicForm(TMainForm &mainForm, const CommandLine::Request &ownCommandLine, QObject *parent)
    : QObject(parent)
    , m_form(mainForm)
    , m_ownCommandLine(ownCommandLine)
    , m_hideOnClose(QSystemTrayIcon::isSystemTrayAvailable())
{
    m_layout = std::make_unique<TMainFormLayout>(m_form);
    {
        const Profile profile;
        m_winState = std::make_unique<TMainWinState>(*m_layout, profile);
    }
    m_winState->Apply();

    buildTrayMenu();
    const QIcon icon = m_form.windowIcon().isNull() ? TImageList().Icon(RootImage) : m_form.windowIcon();
    m_tray = new TTrayIcon(icon, this);
    m_tray->SetTip(FirstTip);
    m_tray->setContextMenu(m_menu.get());
    connect(m_tray, &TTrayIcon::Click, this, &TLogicForm::Restore);
    connect(&m_form, &TMainForm::trayTipChanged, m_tray, &TTrayIcon::SetTip);
    m_tray->show();

    connectMainForm();
    m_form.installEventFilter(this);
    m_waitTimer.setInterval(WaitForDialogMs);
    connect(&m_waitTimer, &QTimer::timeout, this, &TLogicForm::handleWaiting);
}

TLogicForm::~TLogicForm()
{
    m_form.removeEventFilter(this);
}

void TLogicForm::buildTrayMenu()
{
    m_menu = std::make_unique<QMenu>();
    m_menu->addAction(tr("&Restore"), this, &TLogicForm::Restore);
    m_menu->addSeparator();
    m_toolsMenu = m_menu->addMenu(tr("&Tools"));
    // Made again as soon as the tools change: some tray hosts never say a menu is about to show.
    connect(&m_form, &TMainForm::toolMenusRebuilt, this, &TLogicForm::fillToolsMenu);
    fillToolsMenu();
    m_menu->addAction(tr("&Get Browser URL"), &m_form, &TMainForm::GetBrowserURL);
    // Caller ID is enabled once its window is wired.
    m_callerIdAction = m_menu->addAction(tr("&Caller ID"));
    m_callerIdAction->setCheckable(true);
    m_callerIdAction->setEnabled(false);
    m_menu->addSeparator();
    m_menu->addAction(tr("&Exit"), this, &TLogicForm::Exit);
}

void TLogicForm::fillToolsMenu()
{
    m_toolsMenu->clear();
    AddToolEntries(m_toolsMenu, m_form.Nodes().Context(), m_form.imageList());
}

void TLogicForm::connectMainForm()
{
    connect(m_form.exitAction(), &QAction::triggered, this, &TLogicForm::Exit);
    connect(m_form.saveDatabaseAction(), &QAction::triggered, this, [this] { DatabaseCommands::Write(m_form.Nodes()); });
    connect(m_form.revertAction(), &QAction::triggered, this, [this] { DatabaseCommands::RevertToSaved(m_form); });
    connect(m_form.helpContentsAction(), &QAction::triggered, this,
            [this] { HelpTopics::ShowTopic(HelpTopics::Contents, m_form.services()); });
    connect(m_form.aboutAction(), &QAction::triggered, this, [this] { ShowAboutBox(&m_form); });
    connect(m_form.toggleMainWindowAction(), &QAction::triggered, this, [this] { m_winState->Toggle(); });
}

void TLogicForm::Restore()
{
    if (m_form.isMinimized())
        m_form.showNormal();
    else
        m_form.show();
    m_form.raise();
    m_form.activateWindow();
}

bool TLogicForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &m_form)
        return false;
    if (event->type() == QEvent::Close && !m_ended) {
        // Closing the window never ends the program; without a tray to come back
        // from, the window is minimised instead of hidden.
        event->ignore();
        if (m_hideOnClose)
            m_form.hide();
        else
            m_form.showMinimized();
        return true;
    }
    if (event->type() == QEvent::Show && m_firstShow)
        QMetaObject::invokeMethod(this, &TLogicForm::firstShow, Qt::QueuedConnection);
    return false;
}

void TLogicForm::firstShow()
{
    if (!m_firstShow)
        return;
    m_firstShow = false;
    m_form.showRandomTip();
    importArguments(m_ownCommandLine);
}

void TLogicForm::HandleCommandLine(const CommandLine::Request &request)
{
    Restore();
    // A later start may arrive while a dialog is open on an item or a transfer runs;
    // its files wait until that is over, so an import never runs inside another command.
    if (QApplication::activeModalWidget() || m_form.TransferRunning()) {
        m_waiting.append(request);
        if (!m_waitTimer.isActive())
            m_waitTimer.start();
        return;
    }
    // The program's own command line comes first when this is the first show.
    firstShow();
    importArguments(request);
}

void TLogicForm::handleWaiting()
{
    if (QApplication::activeModalWidget() || m_form.TransferRunning())
        return;
    m_waitTimer.stop();
    const QList<CommandLine::Request> waiting = std::exchange(m_waiting, {});
    firstShow();
    for (const CommandLine::Request &request : waiting)
        importArguments(request);
}

void TLogicForm::importArguments(const CommandLine::Request &request)
{
    const QList<CommandLine::Request::Import> imports = request.Imports();
    for (const CommandLine::Request::Import &file : imports) {
        if (file.kind == CommandLine::ArgumentKind::VCard) {
            importVCard(file);
            continue;
        }
        // A name that only holds ".mbd" somewhere is no export file.
        if (!IsExportFileName(file.path))
            continue;
        try {
            // What was read stays; what was not is said.
            const RecordFile::ReadNotes read = ImportFile(m_form.RootNode(), file.path);
            if (const QString shortfall = RecordFile::ImportShortfall(read); !shortfall.isEmpty())
                m_form.Nodes().Context().Services().ShowError(QStringLiteral("\"%1\": %2.%3")
                                         .arg(file.argument, shortfall,
                                              read.records > 0 ? QStringLiteral(" The other records were imported.")
                                                               : QString()));
        } catch (const std::exception &e) {
            ReportException(e, m_form.Nodes().Context().Services());
        }
        m_form.RootNode()->SortChildren();
    }
    emit commandLineHandled();
}

void TLogicForm::importVCard(const CommandLine::Request::Import &file)
{
    ItemServices &services = m_form.Nodes().Context().Services();
    try {
        const VCardImportNotes notes =
            ImportVCardFile(m_form.RootNode(), file.path, [this](const QString &name, const QString &organization) {
                return AskVCardImport(name, organization, &m_form);
            });
        // The cards that were read are imported; those that were not are counted.
        if (const QString shortfall = VCardShortfall(notes.read); !shortfall.isEmpty())
            services.ShowError(QStringLiteral("\"%1\": %2.%3")
                                   .arg(file.argument, shortfall,
                                        notes.persons + notes.organizations > 0
                                            ? QStringLiteral(" The other cards were imported.")
                                            : QString()));
    } catch (const std::exception &e) {
        ReportException(e, services);
    }
}

bool TLogicForm::EndProgram()
{
    if (m_ended)
        return true;
    m_ended = true;
    Profile profile;
    return SaveAtProgramEnd(m_form.Nodes(), m_winState.get(), profile);
}

void TLogicForm::Exit()
{
    // A transfer is stopped first; the program ends once its wait has unwound.
    if (m_form.TransferRunning()) {
        if (!m_exitAfterTransfer) {
            m_exitAfterTransfer = true;
            connect(&m_form.http(), &HttpTransport::busyChanged, this, [this](bool busy) {
                if (!busy)
                    QTimer::singleShot(0, this, &TLogicForm::Exit);
            }, Qt::SingleShotConnection);
        }
        m_form.CancelTransfer();
        return;
    }
    m_exitAfterTransfer = false;
    if (closingDialogs())
        return;
    if (!EndProgram() && !confirmExitUnsaved()) {
        // Everything is still in memory: the user can make room on the disk and try again.
        m_ended = false;
        return;
    }
    QCoreApplication::quit();
}

bool TLogicForm::closingDialogs()
{
    // An end asked for while a dialog is open (a signal, the session's end) cancels it
    // first: a new item the dialog was making would otherwise be saved half made, then
    // removed from memory only after the save.
    constexpr int MaxWaits = 200;
    const int level = QThread::currentThread()->loopLevel();
    if (m_endWaits < MaxWaits) {
        if (m_closedDialogLevel > 0 && level >= m_closedDialogLevel) {
            ++m_endWaits;
            QTimer::singleShot(10, this, &TLogicForm::Exit);
            return true;
        }
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ++m_endWaits;
            m_closedDialogLevel = level;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
            QTimer::singleShot(0, this, &TLogicForm::Exit);
            return true;
        }
    }
    m_closedDialogLevel = 0;
    m_endWaits = 0;
    return false;
}

bool TLogicForm::confirmExitUnsaved()
{
    QWidget *parent = m_form.isVisible() ? &m_form : nullptr;
    return QMessageBox::warning(parent, tr("Mirabook"), QString::fromLatin1(ExitUnsavedQuestion),
                                QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
           == QMessageBox::Yes;
}
