#include "miracli.h"

#include "clicommands.h"
#include "platform/paths.h"
#include "store/ranmar.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const char *const kUsage =
    "usage: mira [--home DIR] COMMAND [ARGS]\n"
    "\n"
    "  list [PATH]                   containers, then items, inside PATH (default: My Contacts):\n"
    "                                kind, title, value and comment separated by tabs\n"
    "  find TEXT                     tree path of every item whose title has a word starting with TEXT\n"
    "  import FILE.mbd [--into PATH] merge an exported file below PATH and save the database\n"
    "  export PATH --mbd FILE.mbd    write the subtree as an export file\n"
    "  export PATH --csv FILE.csv --kind KIND --columns \"Title,Phone Number,...\" [--no-header]\n"
    "                                write the items of one kind below PATH as CSV\n"
    "  check                         count the items by kind and report the first load error\n"
    "  --help                        show this help and end\n"
    "  --version                     show the version and end\n"
    "\n"
    "PATH names a container by its titles from the top down, joined by \"/\" (\"My Contacts/Friends\",\n"
    "or \"Friends\"); write a \"/\" inside a title as \"\\/\".\n"
    "The data directory is DIR, else $MIRABOOK_HOME, else ~/.local/share/mirabook.\n"
    "Exit status: 0 done, 1 nothing found (find) or a database that does not read whole (check),\n"
    "2 bad input,"
    " 3 the Mirabook program or another mira import holds the data directory, 4 the database\n"
    "could not be read or written.\n";

// Restores the directory the tool started in.
struct CurrentDirScope
{
    QString previous = QDir::currentPath();
    ~CurrentDirScope() { QDir::setCurrent(previous); }
};

} // namespace

int CliContext::fail(int status, const QString &message) const
{
    err << "mira: " << message << "\n";
    err.flush();
    return status;
}

int RunMiraCli(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    QString home;
    bool homeGiven = false;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--home")) {
            if (i + 1 >= arguments.size()) {
                err << "mira: --home needs a directory\n" << kUsage;
                return CliExit::BadInput;
            }
            home = arguments.at(++i);
            homeGiven = true;
        } else if (a.startsWith(QLatin1String("--home="))) {
            home = a.mid(7);
            homeGiven = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << kUsage;
            return CliExit::Ok;
        } else if (a == QLatin1String("--version")) {
            out << "mira (Mirabook) " MIRABOOK_VERSION "\n";
            return CliExit::Ok;
        } else {
            rest << a;
        }
    }
    if (rest.isEmpty()) {
        err << kUsage;
        return CliExit::BadInput;
    }
    const QString command = rest.takeFirst();
    int (*run)(const CliContext &, const QStringList &) = nullptr;
    if (command == QLatin1String("list"))
        run = ListCommand;
    else if (command == QLatin1String("find"))
        run = FindCommand;
    else if (command == QLatin1String("import"))
        run = ImportCommand;
    else if (command == QLatin1String("export"))
        run = ExportCommand;
    else if (command == QLatin1String("check"))
        run = CheckCommand;
    if (!run) {
        err << "mira: unknown command \"" << command << "\"\n" << kUsage;
        return CliExit::BadInput;
    }

    const QDir startDir(QDir::currentPath());
    if (homeGiven) {
        const QFileInfo info(startDir.absoluteFilePath(home));
        if (home.isEmpty() || !info.isDir()) {
            err << "mira: no such directory: " << home << "\n";
            return CliExit::BadInput;
        }
        Paths::setHomeOverride(info.absoluteFilePath());
    }
    CurrentDirScope restore;
    QString why;
    if (!Paths::enterDataDir(&why)) {
        err << "mira: " << why << "\n";
        return CliExit::Failed;
    }
    ItemIds::SeedFromTime(QDateTime::currentDateTime());
    const CliContext context{out, err, QDir::currentPath(), startDir};
    const int status = run(context, rest);
    out.flush();
    err.flush();
    return status;
}
