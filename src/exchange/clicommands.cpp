#include "clicommands.h"

#include "clidatabase.h"
#include "clivcard.h"
#include "csvcolumns.h"
#include "csvexport.h"
#include "csvpresets.h"
#include "htmlexport.h"
#include "importsources.h"
#include "ldif.h"
#include "kindnames.h"
#include "miracli.h"
#include "publishplan.h"
#include "treepath.h"

#include "platform/instancelock.h"
#include "platform/safefiles.h"
#include "store/errorreport.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/treesearch.h"
#include "store/wordstart.h"
#include "store/zebobject.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <map>

namespace {

// Tabs and line breaks inside a value would break the columns of a listing.
QString cell(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (QChar ch : value) {
        switch (ch.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += ch;
        }
    }
    return out;
}

void printRow(QTextStream &out, const TZEBObject *item)
{
    out << KindWord(item->Kind()) << '\t' << cell(item->Title()) << '\t' << cell(item->Value()) << '\t'
        << cell(item->Comment()) << '\n';
}

QString databasePath(const CliContext &c) { return QDir(c.dataDir).filePath(RecordFile::DatabaseName); }

// A database that is there but is no file (a pipe, a device) is said as such, not
// taken for a missing one. Empty when it is a file or not there.
QString notAFile()
{
    QFile probe;
    QString why;
    return SafeFiles::OpenForReading(probe, RecordFile::DatabaseName, &why) == SafeFiles::Opened::NotAFile ? why
                                                                                                             : QString();
}

} // namespace

// Loads the database for a command that only reads: a file that stops early or drops
// lines is used as far as it was read, with a warning. False (after the message) when there is none.
bool loadForReading(const CliContext &c, CliDatabase &db, int &status)
{
    if (const QString why = notAFile(); !why.isEmpty()) {
        status = c.fail(CliExit::Failed, why);
        return false;
    }
    if (!QFileInfo(RecordFile::DatabaseName).isFile()) {
        status = c.fail(CliExit::BadInput, QStringLiteral("no database in %1").arg(c.dataDir));
        return false;
    }
    if (!QFileInfo(RecordFile::DatabaseName).isReadable()) {
        status = c.fail(CliExit::Failed, QStringLiteral("cannot read %1").arg(databasePath(c)));
        return false;
    }
    db.Load();
    if (db.LoadFailed())
        c.err << "mira: warning: " << databasePath(c) << " " << db.LoadErrorText()
              << "; the records after it were not read\n";
    else if (const QString dropped = RecordFile::DroppedLinesText(db.Notes()); !dropped.isEmpty())
        c.err << "mira: warning: " << databasePath(c) << ": " << dropped << "\n";
    return true;
}

TTreeNode *resolve(const CliContext &c, CliDatabase &db, const QString &path)
{
    TTreeNode *node =
        FindNodeByPath(db.Root(), path, [&c](TTreeNode *n) { CliDatabase::RefreshIfRemote(n, c.err); });
    if (node)
        CliDatabase::RefreshIfRemote(node, c.err);
    return node;
}

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

} // namespace

int ListCommand(const CliContext &c, const QStringList &args)
{
    if (args.size() > 1)
        return c.fail(CliExit::BadInput, QStringLiteral("list takes one PATH (quote a path with spaces)"));
    CliDatabase &db = c.db;
    int status = CliExit::Ok;
    if (!loadForReading(c, db, status))
        return status;
    const QString path = args.value(0);
    TTreeNode *node = resolve(c, db, path);
    if (!node)
        return c.fail(CliExit::BadInput, QStringLiteral("\"%1\" names no container").arg(path));
    for (int i = 0; i < node->Count(); ++i)
        printRow(c.out, node->Child(i)->Item());
    const TZEBObject *item = node->Item();
    for (int i = 0; i < item->ChildCount(); ++i)
        printRow(c.out, item->ChildAt(i));
    return CliExit::Ok;
}

int FindCommand(const CliContext &c, const QStringList &args)
{
    const QString text = args.join(u' ');
    if (text.trimmed().isEmpty())
        return c.fail(CliExit::BadInput, QStringLiteral("find needs a TEXT to look for"));
    CliDatabase &db = c.db;
    int status = CliExit::Ok;
    if (!loadForReading(c, db, status))
        return status;
    CliDatabase::RefreshRemote(db.Root(), c.err);
    const WordStart key(text);
    qint64 hits = 0;
    for (TTreeNode *n = db.Root(); n; n = n->NextPreorder()) {
        const TZEBObject *item = n->Item();
        if (n != db.Root() && key.Matches(item->Title())) {
            c.out << TreePath(n) << '\n';
            ++hits;
        }
        // Only a container holding a hit has its leaf items made.
        if (!FindLeafByWord(item, key))
            continue;
        for (int i = 0; i < item->ChildCount(); ++i) {
            if (key.Matches(item->ChildAt(i)->Title())) {
                c.out << TreePath(item->ChildAt(i)) << '\n';
                ++hits;
            }
        }
    }
    return hits > 0 ? CliExit::Ok : CliExit::NothingFound;
}

namespace {

// What "mira import" was asked to do, as given on the command line.
struct ImportRequest
{
    QString file;
    QString into;
    ImportSource source = ImportSource::Mbd;
    VCardImportAs orgs = VCardImportAs::Person;
    DelimitedImportOptions delimited;
};

const char *const kImportUsage =
    "usage: mira import FILE [--as mbd|vcf|csv|tab|ldif|bookmarks|addressbook|nicknames|favorites] [--into PATH]\n"
    "         [--orgs person|org] [--header|--no-header] [--kind KIND] [--columns \"A,B,...\"] [--preset NAME]";

// The options of comma and tab text: the record type, the columns by position, the header.
int readDelimitedOptions(const CliContext &c, const QString &kindText, const QString &columnsText,
                         const QString &presetText, DelimitedImportOptions &options)
{
    if (!kindText.isEmpty()) {
        const auto kind = KindFromText(kindText);
        static const ItemKind importable[] = {ItemKind::Person, ItemKind::Organization, ItemKind::Website,
                                              ItemKind::Address, ItemKind::Phone, ItemKind::EMail, ItemKind::Fax};
        if (!kind || std::find(std::begin(importable), std::end(importable), *kind) == std::end(importable))
            return c.fail(CliExit::BadInput, QStringLiteral("records of kind \"%1\" are not imported (person, "
                                                            "organization, website, address, phone, e-mail or fax)")
                                                 .arg(kindText));
        options.kind = *kind;
    }
    if (!columnsText.isEmpty()) {
        for (const QString &name : columnsText.split(u',')) {
            const QString canonical = CanonicalCsvColumn(name);
            if (canonical.isEmpty())
                return c.fail(CliExit::BadInput, QStringLiteral("unknown column \"%1\"; the columns are: %2")
                                                     .arg(name.trimmed(), CsvColumnNames().join(QLatin1String(", "))));
            options.fields << canonical;
        }
        // Columns given by hand read the records by position, past any header.
        options.fieldsOverHeader = true;
    }
    if (!presetText.isEmpty()) {
        const std::vector<CsvPreset> &presets = CsvPresets();
        const auto it = std::find_if(presets.begin(), presets.end(), [&](const CsvPreset &p) {
            return p.name.compare(presetText, Qt::CaseInsensitive) == 0;
        });
        if (it == presets.end()) {
            QStringList names;
            for (const CsvPreset &p : presets)
                names << p.name;
            return c.fail(CliExit::BadInput, QStringLiteral("unknown preset \"%1\"; the presets are: %2")
                                                 .arg(presetText, names.join(QLatin1String(", "))));
        }
        options.preset = int(it - presets.begin());
    }
    return CliExit::Ok;
}

// "mira import FILE [--as SOURCE] ...": the file, which must be readable (a directory for
// favourites), and PATH.
int parseImportArguments(const CliContext &c, const QStringList &args, ImportRequest &request)
{
    const QString usage = QString::fromLatin1(kImportUsage);
    QString orgs;
    QString as;
    QString kind;
    QString columns;
    QString preset;
    int headers = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--into") && hasValue)
            request.into = args.at(++i);
        else if (a == QLatin1String("--orgs") && hasValue)
            orgs = args.at(++i);
        else if (a == QLatin1String("--as") && hasValue)
            as = args.at(++i);
        else if (a == QLatin1String("--kind") && hasValue)
            kind = args.at(++i);
        else if (a == QLatin1String("--columns") && hasValue)
            columns = args.at(++i);
        else if (a == QLatin1String("--preset") && hasValue)
            preset = args.at(++i);
        else if (a == QLatin1String("--header") || a == QLatin1String("--no-header")) {
            request.delimited.header = a == QLatin1String("--header") ? DelimitedImportOptions::Header::Yes
                                                                      : DelimitedImportOptions::Header::No;
            ++headers;
        } else if (request.file.isEmpty() && !a.startsWith(QLatin1String("--")))
            request.file = a;
        else
            return c.fail(CliExit::BadInput, usage);
    }
    const QString &file = request.file;
    if (file.isEmpty() || headers > 1)
        return c.fail(CliExit::BadInput, usage);
    const QString source = c.absolute(file);
    if (!as.isEmpty()) {
        const auto named = ImportSourceFromWord(as);
        if (!named)
            return c.fail(CliExit::BadInput, QStringLiteral("unknown source \"%1\"\n%2").arg(as, usage));
        request.source = *named;
    } else if (IsVCardFileName(source)) {
        request.source = ImportSource::VCard;
    } else if (IsExportFileName(source)) {
        request.source = ImportSource::Mbd;
    } else if (const auto guessed = GuessImportSource(source)) {
        request.source = *guessed;
    } else {
        return c.fail(CliExit::BadInput, QStringLiteral("%1: the import knows files by their names (.mbd, .vcf, .csv, .tsv, .ldif, .html, "
                                                        "Bookmarks, a directory of favourites); say what it is with --as\n%2")
                                             .arg(file, usage));
    }
    if (request.source == ImportSource::Mbd && !IsExportFileName(source))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: an export file is named *.mbd").arg(file));
    const bool cards = request.source == ImportSource::VCard;
    const bool text = request.source == ImportSource::Csv || request.source == ImportSource::Tab;
    if (!orgs.isEmpty() && !cards)
        return c.fail(CliExit::BadInput, QStringLiteral("--orgs goes with a card file (.vcf)"));
    if (!text && (headers > 0 || !kind.isEmpty() || !columns.isEmpty() || !preset.isEmpty()))
        return c.fail(CliExit::BadInput, QStringLiteral("--header, --no-header, --kind, --columns and --preset go with "
                                                        "--as csv or --as tab"));
    if (!orgs.isEmpty())
        if (const int status = ReadOrgsOption(c, orgs, request.orgs); status != CliExit::Ok)
            return status;
    if (text)
        if (const int status = readDelimitedOptions(c, kind, columns, preset, request.delimited); status != CliExit::Ok)
            return status;
    if (request.source == ImportSource::Favorites) {
        if (!QFileInfo(source).isDir())
            return c.fail(CliExit::BadInput, QStringLiteral("%1: favourites are read from a directory").arg(file));
        return CliExit::Ok;
    }
    QFile probe;
    QString why;
    switch (SafeFiles::OpenForReading(probe, source, &why)) {
    case SafeFiles::Opened::Yes:
        probe.close();
        break;
    case SafeFiles::Opened::CannotOpen:
        return c.fail(CliExit::BadInput, QStringLiteral("cannot read %1").arg(file));
    case SafeFiles::Opened::NotAFile:
        return c.fail(CliExit::BadInput, why);
    }
    return CliExit::Ok;
}

// Any other source below target: every one of them reads its whole file before it makes
// anything, so a failure leaves the database as it was. What was passed over is said; an
// import that took nothing although something was passed over fails.
int importOther(const CliContext &c, const ImportRequest &request, TTreeNode *target, int &made)
{
    ImportNotes notes;
    try {
        ImportRequestOptions options;
        options.delimited = request.delimited;
        notes = RunImport(request.source, target, c.absolute(request.file), options);
    } catch (const std::exception &e) {
        return c.fail(CliExit::BadInput, QStringLiteral("%1; nothing was imported").arg(ErrorText(e)));
    }
    made = notes.made;
    if (const QString shortfall = ImportShortfall(notes); !shortfall.isEmpty()) {
        if (notes.made == 0)
            return c.fail(CliExit::BadInput, QStringLiteral("%1: %2").arg(request.file, shortfall));
        c.err << "mira: warning: " << request.file << ": " << shortfall << "\n";
    } else if (notes.made == 0) {
        return c.fail(CliExit::BadInput, QStringLiteral("%1: nothing to import").arg(request.file));
    }
    return CliExit::Ok;
}

// Reads file below target; what it could not read makes the whole import fail, before anything is saved.
int importRecords(const CliContext &c, const QString &file, TTreeNode *target, RecordFile::ReadNotes &read)
{
    try {
        read = ImportFile(target, c.absolute(file));
    } catch (const EInOutError &e) {
        const QString where = e.Line() > 0 ? QStringLiteral(" line %1").arg(e.Line()) : QString();
        return c.fail(CliExit::BadInput,
                      QStringLiteral("%1%2: %3; nothing was imported").arg(file, where, ErrorText(e)));
    } catch (const std::exception &e) {
        return c.fail(CliExit::BadInput, QStringLiteral("%1; nothing was imported").arg(ErrorText(e)));
    }
    if (const QString shortfall = RecordFile::ImportShortfall(read); !shortfall.isEmpty())
        return c.fail(CliExit::BadInput, QStringLiteral("%1: %2%3").arg(file, shortfall,
                                                                         read.records > 0 ? QStringLiteral("; nothing was imported")
                                                                                          : QString()));
    return CliExit::Ok;
}

// The save replaces the database with what was read of it: lines its load passed over
// are kept in a copy first, and the user is told where.
int keepWhatTheLoadDropped(const CliContext &c, const CliDatabase &db)
{
    const QString dropped = RecordFile::DroppedLinesText(db.Notes());
    if (dropped.isEmpty())
        return CliExit::Ok;
    const QString kept = RecordFile::KeepUnreadCopy(RecordFile::DatabaseName);
    if (kept.isEmpty())
        return c.fail(CliExit::Failed, QStringLiteral("%1: %2, and no copy of it could be kept; nothing was imported, "
                                                      "so that saving cannot lose them")
                                           .arg(databasePath(c), dropped));
    c.err << "mira: warning: " << databasePath(c) << ": " << dropped << "; the file as it was is kept as " << kept
          << "\n";
    return CliExit::Ok;
}

} // namespace

int ImportCommand(const CliContext &c, const QStringList &args)
{
    ImportRequest request;
    if (const int status = parseImportArguments(c, args, request); status != CliExit::Ok)
        return status;
    const QString &file = request.file;
    const QString &into = request.into;
    InstanceLock lock(c.dataDir, InstanceLock::Holder::Tool);
    if (!lock.tryLock(0)) {
        if (lock.heldByOther() && lock.heldBy() == InstanceLock::Holder::Tool)
            return c.fail(CliExit::Locked, QStringLiteral("%1 in %2; try again when it has ended. Nothing was imported.")
                                               .arg(lock.errorString(), c.dataDir));
        if (lock.heldByOther())
            return c.fail(CliExit::Locked, QStringLiteral("%1 on %2; close it and try again. Nothing was imported.")
                                               .arg(lock.errorString(), c.dataDir));
        // Not another writer: a read-only or full disk, or something in the lock's place.
        return c.fail(CliExit::Failed, QStringLiteral("%1. Nothing was imported.").arg(lock.errorString()));
    }

    CliDatabase &db = c.db;
    if (QFileInfo::exists(RecordFile::DatabaseName) && !QFileInfo(RecordFile::DatabaseName).isReadable())
        return c.fail(CliExit::Failed, QStringLiteral("cannot read %1").arg(databasePath(c)));
    db.Load();
    if (db.LoadFailed())
        return c.fail(CliExit::Failed, QStringLiteral("%1 %2; nothing was imported, so that saving cannot lose the "
                                                      "records after it")
                                           .arg(databasePath(c), db.LoadErrorText()));
    TTreeNode *target = resolve(c, db, into);
    if (!target)
        return c.fail(CliExit::BadInput, QStringLiteral("\"%1\" names no container").arg(into));
    RecordFile::ReadNotes read;
    if (request.source == ImportSource::VCard) {
        // Cards are placed as they are read; a file that fails leaves nothing saved.
        if (const int status = ImportCards(c, file, request.orgs, target, read.records); status != CliExit::Ok)
            return status;
    } else if (request.source == ImportSource::Mbd) {
        if (const int status = importRecords(c, file, target, read); status != CliExit::Ok)
            return status;
    } else if (const int status = importOther(c, request, target, read.records); status != CliExit::Ok) {
        return status;
    }
    if (const int status = keepWhatTheLoadDropped(c, db); status != CliExit::Ok)
        return status;
    try {
        SaveDatabase(db.Nodes());
    } catch (const ESaveError &e) {
        // The store has said what went wrong on the error stream already; the system's word adds why.
        const QString what = ErrorText(e);
        return c.fail(CliExit::Failed, e.Reason().isEmpty() ? what : QStringLiteral("%1: %2").arg(what, e.Reason()));
    } catch (const std::exception &e) {
        return c.fail(CliExit::Failed, ErrorText(e));
    }
    c.out << "imported " << read.records << (request.source == ImportSource::VCard ? " cards into " : " items into ") << TreePath(target) << "\n";
    return CliExit::Ok;
}

namespace {

// What "mira export" was asked to do, as given on the command line.
struct ExportRequest
{
    QString path;
    QString file;
    bool asCsv = false;
    bool asCards = false;
    bool asHtml = false;
    bool asLdif = false;
    QString kindText;
    QString columnsText;
    bool noHeader = false;
    bool frames = false;
    bool noDownloads = false;
};

int parseExportArguments(const CliContext &c, const QStringList &args, ExportRequest &request)
{
    const QString usage = QStringLiteral("usage: mira export PATH --mbd FILE.mbd\n"
                                         "       mira export PATH --vcf FILE.vcf\n"
                                         "       mira export PATH --html DIR|FILE.html [--frames] [--no-downloads]\n"
                                         "       mira export PATH --ldif FILE.ldif\n"
                                         "       mira export PATH --csv FILE.csv --kind KIND --columns \"A,B,...\" "
                                         "[--no-header]");
    bool havePath = false;
    QString mbd;
    QString csv;
    QString vcf;
    QString html;
    QString ldif;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--mbd") && hasValue)
            mbd = args.at(++i);
        else if (a == QLatin1String("--csv") && hasValue)
            csv = args.at(++i);
        else if (a == QLatin1String("--vcf") && hasValue)
            vcf = args.at(++i);
        else if (a == QLatin1String("--html") && hasValue)
            html = args.at(++i);
        else if (a == QLatin1String("--ldif") && hasValue)
            ldif = args.at(++i);
        else if (a == QLatin1String("--kind") && hasValue)
            request.kindText = args.at(++i);
        else if (a == QLatin1String("--columns") && hasValue)
            request.columnsText = args.at(++i);
        else if (a == QLatin1String("--no-header"))
            request.noHeader = true;
        else if (a == QLatin1String("--frames"))
            request.frames = true;
        else if (a == QLatin1String("--no-downloads"))
            request.noDownloads = true;
        else if (!havePath && !a.startsWith(QLatin1String("--"))) {
            request.path = a;
            havePath = true;
        } else
            return c.fail(CliExit::BadInput, usage);
    }
    request.asCsv = !csv.isEmpty();
    request.asCards = !vcf.isEmpty();
    request.asHtml = !html.isEmpty();
    request.asLdif = !ldif.isEmpty();
    request.file = request.asCsv ? csv : request.asCards ? vcf : request.asHtml ? html : request.asLdif ? ldif : mbd;
    if (!havePath ||
        int(!mbd.isEmpty()) + int(request.asCsv) + int(request.asCards) + int(request.asHtml) + int(request.asLdif) != 1)
        return c.fail(CliExit::BadInput, usage);
    if (!request.asCsv && (!request.kindText.isEmpty() || !request.columnsText.isEmpty() || request.noHeader))
        return c.fail(CliExit::BadInput, QStringLiteral("--kind, --columns and --no-header go with --csv"));
    if (!request.asHtml && (request.frames || request.noDownloads))
        return c.fail(CliExit::BadInput, QStringLiteral("--frames and --no-downloads go with --html"));
    return CliExit::Ok;
}

// The file to write: named for its format, in a directory that exists, none of the program's own.
int checkExportTarget(const CliContext &c, const ExportRequest &request, const QString &target)
{
    const QString &file = request.file;
    if (request.asCards && !IsVCardFileName(target))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: a card file is named *.vcf").arg(file));
    if (request.asHtml && !target.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive) &&
        !target.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: a web page is named *.htm or *.html").arg(file));
    if (request.asHtml && request.frames && FrameFileNames().contains(QFileInfo(target).fileName(), Qt::CaseInsensitive))
        return c.fail(CliExit::BadInput,
                      QStringLiteral("%1: with frames the main page cannot be named like the frames' own files")
                          .arg(file));
    if (request.asLdif && !target.endsWith(QLatin1String(".ldif"), Qt::CaseInsensitive) &&
        !target.endsWith(QLatin1String(".ldi"), Qt::CaseInsensitive))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: an LDIF file is named *.ldif").arg(file));
    if (!request.asCsv && !request.asCards && !request.asHtml && !request.asLdif && !IsExportFileName(target))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: an export file is named *.mbd").arg(file));
    if (request.asCsv && !target.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive) &&
        !target.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
        return c.fail(CliExit::BadInput, QStringLiteral("%1: a CSV file is named *.csv or *.txt").arg(file));
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir())
        return c.fail(CliExit::BadInput, QStringLiteral("%1: no such directory").arg(QFileInfo(target).absolutePath()));
    if (QFileInfo(target).isDir())
        return c.fail(CliExit::BadInput, QStringLiteral("%1 is a directory").arg(file));
    for (const QString &own : {RecordFile::DatabaseName, RecordFile::TransactionName, RecordFile::ClipboardFileName})
        if (sameFile(target, QDir(c.dataDir).filePath(own)))
            return c.fail(CliExit::BadInput, QStringLiteral("%1 is the program's own file").arg(file));
    return CliExit::Ok;
}

// The kind and the column list of a CSV export; the kind code goes last, as the exporter takes it.
int csvColumns(const CliContext &c, const ExportRequest &request, CsvExportOptions &options)
{
    const auto kind = KindFromText(request.kindText);
    if (request.kindText.isEmpty() || !kind)
        return c.fail(CliExit::BadInput,
                      QStringLiteral("unknown kind \"%1\" (a code 0 to 12 or a word such as person, phone)")
                          .arg(request.kindText));
    for (const QString &name : request.columnsText.split(u',')) {
        const QString canonical = CanonicalCsvColumn(name);
        if (canonical.isEmpty())
            return c.fail(CliExit::BadInput, QStringLiteral("unknown column \"%1\"; the columns are: %2")
                                                 .arg(name.trimmed(), CsvColumnNames().join(QLatin1String(", "))));
        options.columns << canonical;
    }
    options.kind = *kind;
    options.includeFieldNames = !request.noHeader;
    return CliExit::Ok;
}

} // namespace

int ExportCommand(const CliContext &c, const QStringList &args)
{
    ExportRequest request;
    if (const int status = parseExportArguments(c, args, request); status != CliExit::Ok)
        return status;
    QString target = c.absolute(request.file);
    // A web site may be given as its directory: the main page is named after the item then.
    const bool intoDirectory = request.asHtml && QFileInfo(target).isDir();
    if (!intoDirectory)
        if (const int status = checkExportTarget(c, request, target); status != CliExit::Ok)
            return status;
    CsvExportOptions csv;
    if (request.asCsv)
        if (const int status = csvColumns(c, request, csv); status != CliExit::Ok)
            return status;

    CliDatabase &db = c.db;
    int status = CliExit::Ok;
    if (!loadForReading(c, db, status))
        return status;
    // Part of the records would pass for all of them, and could replace a whole earlier export.
    if (!db.ReadWhole())
        return c.fail(CliExit::Failed, QStringLiteral("%1 does not read whole; nothing was exported")
                                           .arg(databasePath(c)));
    TTreeNode *node = resolve(c, db, request.path);
    if (!node)
        return c.fail(CliExit::BadInput, QStringLiteral("\"%1\" names no container").arg(request.path));
    CliDatabase::RefreshRemote(node, c.err);
    if (intoDirectory) {
        target = QDir(target).filePath(DefaultFileName(node->Item()->Title(), QStringLiteral(".htm")));
        if (const int status = checkExportTarget(c, request, target); status != CliExit::Ok)
            return status;
    }

    try {
        // The export replaces the target only once it is complete.
        if (request.asCards) {
            return ExportVCards(c, node, target, request.file);
        } else if (request.asCsv) {
            ExportCsv(node, target, csv);
        } else if (request.asLdif) {
            c.out << "exported " << ExportLdif(node, target) << " entries\n";
        } else if (request.asHtml) {
            HtmlExportOptions site;
            site.pageTitle = node->Item()->Title();
            site.useFrames = request.frames;
            site.includeMbd = site.includeVCard = !request.noDownloads;
            WriteSite(node, target, site);
            c.out << "published " << target << "\n";
        } else {
            ExportSubtree(node, target);
        }
    } catch (const std::exception &e) {
        return c.fail(CliExit::Failed, QStringLiteral("cannot write %1: %2").arg(request.file, ErrorText(e)));
    }
    return CliExit::Ok;
}

int CheckCommand(const CliContext &c, const QStringList &args)
{
    if (!args.isEmpty())
        return c.fail(CliExit::BadInput, QStringLiteral("check takes no arguments"));
    CliDatabase &db = c.db;
    if (const QString why = notAFile(); !why.isEmpty())
        return c.fail(CliExit::Failed, why);
    if (!QFileInfo(RecordFile::DatabaseName).isFile())
        return c.fail(CliExit::BadInput, QStringLiteral("no database in %1").arg(c.dataDir));
    if (!QFileInfo(RecordFile::DatabaseName).isReadable())
        return c.fail(CliExit::Failed, QStringLiteral("cannot read %1").arg(databasePath(c)));
    db.Load();
    std::map<ItemKind, qint64> byKind;
    qint64 items = 0;
    qint64 remote = 0;
    for (TTreeNode *n = db.Root(); n; n = n->NextPreorder()) {
        const TZEBObject *item = n->Item();
        if (n != db.Root()) {
            ++byKind[item->Kind()];
            ++items;
            if (item->IsRemote())
                ++remote;
        }
        for (int i = 0; i < item->ChildCount(); ++i)
            ++byKind[item->ChildAt(i)->Kind()];
        items += item->ChildCount();
    }
    c.out << "database\t" << databasePath(c) << "\n";
    c.out << "items\t" << items << "\n";
    for (const auto &[kind, count] : byKind)
        c.out << KindWord(kind) << '\t' << count << "\n";
    c.out << "remote folders\t" << remote << "\n";
    const RecordFile::ReadNotes &notes = db.Notes();
    if (notes.droppedLines > 0)
        c.out << "dropped lines\t" << notes.droppedLines << " (the first at line " << notes.firstDroppedLine << ")\n";
    if (db.LoadFailed()) {
        c.out << "error\t" << db.LoadErrorText() << "\n";
        return CliExit::NothingFound;
    }
    return notes.droppedLines > 0 ? CliExit::NothingFound : CliExit::Ok;
}
