#include "miracli.h"

#include "clicommands.h"
#include "clidatabase.h"
#include "platform/paths.h"
#include "store/ranmar.h"

#include <QDateTime>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

const char *const kUsage =
    "usage: mira [--home DIR] COMMAND [ARGS]\n"
    "\n"
    "  list [PATH]                   containers, then items, inside PATH (default: My Contacts):\n"
    "                                kind, title, value and comment separated by tabs\n"
    "  find TEXT                     tree path of every item whose title has a word starting with TEXT\n"
    "  import FILE.mbd [--into PATH] merge an exported file below PATH and save the database\n"
    "  import FILE.vcf [--into PATH] [--orgs person|org]\n"
    "                                make a person of each card below PATH (an organization of a card\n"
    "                                with ORG when --orgs org) and save the database\n"
    "  import FILE --as csv|tab|ldif|bookmarks|addressbook|nicknames|favorites [--into PATH]\n"
    "         [--header|--no-header] [--kind KIND] [--columns \"A,B,...\"] [--preset NAME]\n"
    "                                import another program's file (or a directory of favourites);\n"
    "                                the kind follows the name when --as is left out (.csv, .tsv, .ldif,\n"
    "                                .html, Bookmarks); a CSV header that names columns is read as such\n"
    "  export PATH --mbd FILE.mbd    write the subtree as an export file\n"
    "  export PATH --vcf FILE.vcf    write the person or organization, or each one below PATH, as cards\n"
    "  export PATH --ldif FILE.ldif  write the persons and organizations below PATH as LDIF entries\n"
    "  export PATH --csv FILE.csv --kind KIND --columns \"Title,Phone Number,...\" [--no-header]\n"
    "                                write the items of one kind below PATH as CSV\n"
    "  print REPORT PATH --pdf FILE.pdf [OPTIONS]\n"
    "                                print PATH's listing, envelope, addressbook, labels, reminders or\n"
    "                                simple list as a PDF (\"mira print\" alone lists the options)\n"
    "  check                         count the items by kind and report the first load error\n"
    "  --help                        show this help and end\n"
    "  --version                     show the version and end\n"
    "\n"
    "PATH names a container by its titles from the top down, joined by \"/\" (\"My Contacts/Friends\",\n"
    "or \"Friends\"); write a \"/\" inside a title as \"\\/\".\n"
    "The data directory is DIR, else $MIRABOOK_HOME, else ~/.local/share/mirabook.\n"
    "Exit status: 0 done, 1 nothing found (find) or a database that does not read whole (check),\n"
    "2 bad input (an export file that does not read whole included), 3 the Mirabook program or\n"
    "another mira import holds the data directory, 4 the database could not be read or written,\n"
    "or does not read whole where that would lose records (import, export).\n";

using Command = int (*)(const CliContext &, const QStringList &);

Command commandNamed(const QString &name)
{
    static const struct { const char *name; Command run; } commands[] = {
        {"list", ListCommand},     {"find", FindCommand},   {"import", ImportCommand},
        {"export", ExportCommand}, {"check", CheckCommand},   {"print", PrintCommand},
    };
    for (const auto &command : commands)
        if (name == QLatin1String(command.name))
            return command.run;
    return nullptr;
}

// The tool's own options, and the command's words without them.
struct Options
{
    std::optional<QString> home;
    QStringList words;
};

// Reads --home, --help and --version wherever they stand. A status when the run ends
// here: help and version are shown, a --home without its directory is refused.
std::optional<int> readOptions(const QStringList &arguments, QTextStream &out, QTextStream &err, Options &options)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--home")) {
            if (i + 1 >= arguments.size()) {
                err << "mira: --home needs a directory\n" << kUsage;
                return CliExit::BadInput;
            }
            options.home = arguments.at(++i);
        } else if (a.startsWith(QLatin1String("--home="))) {
            options.home = a.mid(7);
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            out << kUsage;
            return CliExit::Ok;
        } else if (a == QLatin1String("--version")) {
            out << "mira (Mirabook) " MIRABOOK_VERSION "\n";
            return CliExit::Ok;
        } else {
            options.words << a;
        }
    }
    return std::nullopt;
}

// Makes the data directory (--home DIR, else the usual one) the current directory.
int enterDataDir(const std::optional<QString> &home, const QDir &startDir, QTextStream &err)
{
    if (home) {
        const QFileInfo info(startDir.absoluteFilePath(*home));
        if (home->isEmpty() || !info.isDir()) {
            err << "mira: no such directory: " << *home << "\n";
            return CliExit::BadInput;
        }
        Paths::setHomeOverride(info.absoluteFilePath());
    }
    QString why;
    if (!Paths::enterDataDir(&why)) {
        err << "mira: " << why << "\n";
        return CliExit::Failed;
    }
    return CliExit::Ok;
}

} // namespace

int CliContext::fail(int status, const QString &message) const
{
    err << "mira: " << message << "\n";
    err.flush();
    return status;
}

int RunMiraCli(const QStringList &arguments, QTextStream &out, QTextStream &err, CliEnd end)
{
    Options options;
    if (const std::optional<int> status = readOptions(arguments, out, err, options))
        return *status;
    if (options.words.isEmpty()) {
        err << kUsage;
        return CliExit::BadInput;
    }
    const QString name = options.words.takeFirst();
    const Command run = commandNamed(name);
    if (!run) {
        err << "mira: unknown command \"" << name << "\"\n" << kUsage;
        return CliExit::BadInput;
    }

    const QDir startDir(QDir::currentPath());
    const auto restore = qScopeGuard([previous = startDir.path()] { QDir::setCurrent(previous); });
    if (const int status = enterDataDir(options.home, startDir, err); status != CliExit::Ok)
        return status;
    ItemIds::SeedFromTime(QDateTime::currentDateTime());
    auto db = std::make_unique<CliDatabase>();
    const CliContext context{out, err, QDir::currentPath(), startDir, *db};
    const int status = run(context, options.words);
    for (QTextStream *stream : {&out, &err}) {
        stream->flush();
        if (auto *file = qobject_cast<QFileDevice *>(stream->device()))
            file->flush();
    }
    if (end == CliEnd::EndProcess) {
        // The command has closed its files and let go of the lock; only memory is left.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
