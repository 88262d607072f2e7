// The desktop program: one copy per user and data directory, living in the tray.
#include "comms/gui/telephony.h"
#include "platform/hugepageheap.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "ui/automation.h"
#include "ui/commandline.h"
#include "ui/dialogwiring.h"
#include "ui/endsignals.h"
#include "ui/fileicons.h"
#include "ui/logicform.h"
#include "ui/optionscommand.h"
#include "ui/mainform.h"
#include "ui/screenshot.h"
#include "ui/singlecopy.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QMessageBox>
#include <QSessionManager>

#include <cstdio>

namespace {

const char *const kUsage =
    "usage: mirabook [HIDEWIN] [FILE.mbd | FILE.vcf ...]\n"
    "\n"
    "The contact manager. It lives in the notification area; only one copy runs per user and\n"
    "data directory, and a later start hands its command line to the running copy and ends.\n"
    "\n"
    "  HIDEWIN     start with only the notification-area icon\n"
    "  FILE.mbd    import the exported database under My Contacts when the window is first shown\n"
    "  FILE.vcf    make a person (or, as asked, an organization) of each card under My Contacts\n"
    "  --help      show this help and end\n"
    "  --version   show the version and end\n"
    "\n"
    "The data directory is $MIRABOOK_HOME, else ~/.local/share/mirabook; the settings file\n"
    "zeb.ini is in $MIRABOOK_HOME, else ~/.config/mirabook. Qt's own options (-platform,\n"
    "-style, ...) are taken too. See also mira(1), the command-line tool.\n";

// Answers --help and --version before anything needs a display or the data
// directory, so they work anywhere and never reach a running copy.
bool printedInformation(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            std::fputs(kUsage, stdout);
            return true;
        }
        if (a == QLatin1String("--version")) {
            std::fputs("mirabook (Mirabook) " MIRABOOK_VERSION "\n", stdout);
            return true;
        }
    }
    return false;
}

QStringList programArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    RestartWithHugePageHeap(argv);
    // Taken before Qt removes the options it knows, so the command line is the user's.
    QStringList arguments = programArguments(argc, argv);
    if (printedInformation(arguments))
        return std::fflush(stdout) == 0 ? 0 : 1;
    const QString screenshotFile = Screenshot::TakeOption(arguments);
    const bool hideWin = CommandLine::HasHideWin(arguments);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Mirabook"));
    QApplication::setApplicationDisplayName(QStringLiteral("Mirabook"));
    QApplication::setApplicationVersion(QStringLiteral(MIRABOOK_VERSION));
    // Lets the desktop give the window the menu entry's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral(MIRABOOK_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);
    UseInstalledIconTheme();

    // Relative file names on the command line mean what they meant where the user was.
    const CommandLine::Request ownCommandLine{QDir::currentPath(), arguments};
    QString error;
    if (!Paths::enterDataDir(&error)) {
        QMessageBox::critical(nullptr, QStringLiteral("Mirabook"), error);
        return 1;
    }

    // Caught from before the lock is taken, so an early end still lets it go; handled
    // once the event loop runs.
    TEndSignals endSignals;
    TPBJustOne justOne(Paths::dataDir(), ownCommandLine);
    switch (justOne.outcome()) {
    case TPBJustOne::Outcome::OnlyCopy:
        break;
    case TPBJustOne::Outcome::HandedOver:
        return 0;
    case TPBJustOne::Outcome::Failed:
        // Started from a menu there is no terminal to read stderr in.
        std::fprintf(stderr, "mirabook: %s\n", qPrintable(justOne.errorString()));
        QMessageBox::critical(nullptr, QStringLiteral("Mirabook"), justOne.errorString());
        return 1;
    }

    // Settings that cannot be read are never written over; the user hears why once.
    if (const Profile settings; !settings.errorString().isEmpty())
        QMessageBox::warning(nullptr, QStringLiteral("Mirabook"),
                             settings.errorString() +
                                 QStringLiteral(".\n\nMirabook runs with its default settings and leaves the file as it is."));

    TMainForm mainForm;
    WireDialogs(mainForm);
    TLogicForm logicForm(mainForm, ownCommandLine);
    QObject::connect(&justOne, &TPBJustOne::commandLineReceived, &logicForm, &TLogicForm::HandleCommandLine);
    // Dialing, the caller-ID window and its monitoring as the settings say.
    Telephony telephony(mainForm, &logicForm);
    // View > Options..., telling dialing and caller ID what changed.
    TOptionsCommand options(mainForm);
    options.dialSettings = [&telephony](QWidget *parent) { telephony.dialPhone().Setup(parent); };
    options.reloadDialSettings = [&telephony] { telephony.dialPhone().Reload(); };
    options.setCallerId = [&telephony](bool on) { telephony.SetCallerId(on); };
    // Other programs drive the database through the session bus.
    TAutomation automation(mainForm);
    if (!automation.Start(QDBusConnection::sessionBus()))
        std::fprintf(stderr, "mirabook: no automation: %s\n", qPrintable(automation.errorString()));

    // The end of the desktop session ends the program as "Exit" does.
    QObject::connect(&endSignals, &TEndSignals::received, &logicForm, &TLogicForm::Exit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &logicForm, [&logicForm](QSessionManager &) {
        logicForm.Exit();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &logicForm, [&logicForm] { logicForm.EndProgram(); });

    if (!hideWin)
        logicForm.Restore();
    if (!screenshotFile.isEmpty())
        Screenshot::Schedule(mainForm, logicForm, screenshotFile);
    return app.exec();
}
