#include "recordfile.h"

#include "backgroundwriter.h"
#include "errorreport.h"
#include "fieldcodec.h"
#include "itemfactory.h"
#include "itemservices.h"
#include "linescan.h"
#include "pendingleaves.h"
#include "recordreader.h"
#include "recordsource.h"
#include "treenodes.h"
#include "zebobject.h"
#include "platform/safefiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSaveFile>

#include <cerrno>
#include <limits>
#include <vector>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Keeps the unread database next to it, so a later save cannot lose what failed to load.
// A file that cannot even be opened is renamed aside instead: that needs no reading.
QString keepUnread(const QString &fileName, bool moveAside)
{
    const QFileInfo info(fileName);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copy = info.dir().filePath(QStringLiteral("mira-unread-%1.dat").arg(stamp));
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = info.dir().filePath(QStringLiteral("mira-unread-%1-%2.dat").arg(stamp).arg(n));
    const bool kept = moveAside
                          ? ::rename(QFile::encodeName(fileName).constData(), QFile::encodeName(copy).constData()) == 0
                          : QFile::copy(fileName, copy);
    return kept ? QFileInfo(copy).absoluteFilePath() : QString();
}

// Writes all of bytes. A short write does not say why it stopped; the next one, which
// fails outright, leaves the system's reason in the device's error.
bool writeAll(QIODevice *device, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 n = device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void syncFile(int fd, const QString &what)
{
    if (::fsync(fd) != 0)
        throw EInOutError(QStringLiteral("Cannot write %1: %2").arg(what, SafeFiles::ErrorText(errno)));
}

void syncDirectory(const QString &dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// What the user set on the database: the file it really is (through any links) and
// its permission bits, which the saved file keeps.
struct DatabaseFile
{
    QString path;
    bool exists = false;
    mode_t mode = 0666;
};

DatabaseFile databaseFile(const QString &name)
{
    QString why;
    DatabaseFile db;
    db.path = SafeFiles::FollowLinks(name, &why);
    if (db.path.isEmpty())
        throw EInOutError(why);
    const QByteArray path = QFile::encodeName(db.path);
    struct stat st{};
    if (::stat(path.constData(), &st) != 0) {
        if (errno != ENOENT)
            throw EInOutError(QStringLiteral("Cannot save \"%1\": %2").arg(db.path, SafeFiles::ErrorText(errno)));
        return db;
    }
    if (!S_ISREG(st.st_mode))
        throw EInOutError(SafeFiles::NotAFileText(db.path, st.st_mode));
    // A read-only database is the user's wish, also where the system would let us write.
    if ((st.st_mode & 0222) == 0 || (st.st_uid == ::geteuid() && (st.st_mode & S_IWUSR) == 0))
        throw EInOutError(QStringLiteral("\"%1\" is read-only, so the database was not saved. Make the file "
                                         "writable to save the database.")
                              .arg(QFileInfo(db.path).absoluteFilePath()));
    if (::access(path.constData(), W_OK) != 0)
        throw EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(db.path, SafeFiles::ErrorText(errno)));
    db.exists = true;
    db.mode = st.st_mode & 0777;
    return db;
}

// The transaction file is whole and synced: a second name for that very file beside the
// database is as good as a copy of it and writes nothing again. False where no such name
// can be made (a file system without them, the database on another one).
bool linkTransaction(const QFile &txn, const QString &temp, const DatabaseFile &db)
{
    // The file is created under the umask; the user's own bits are set as they were.
    if (db.exists && ::fchmod(txn.handle(), db.mode) != 0)
        return false;
    const QByteArray target = QFile::encodeName(temp);
    if (::unlink(target.constData()) != 0 && errno != ENOENT)
        return false;
    // Through the open handle, so it is the file written even if its name was taken meanwhile.
    const QByteArray written = "/proc/self/fd/" + QByteArray::number(txn.handle());
    return ::linkat(AT_FDCWD, written.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW) == 0;
}

void copyTransaction(QFile &txn, const QString &txnName, const QString &temp, const DatabaseFile &db)
{
    QFile out;
    QString why;
    if (!txn.seek(0) || !SafeFiles::CreateFresh(out, temp, db.mode, &why))
        throw EInOutError(QStringLiteral("Cannot copy \"%1\" to \"%2\"%3")
                              .arg(txnName, temp, why.isEmpty() ? QString() : QStringLiteral(": ") + why));
    const auto writeFailed = [&](const QString &reason) {
        return EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(temp, reason));
    };
    while (!txn.atEnd()) {
        const QByteArray block = txn.read(1 << 20);
        if (block.isEmpty() && txn.error() != QFile::NoError)
            throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(txnName, txn.errorString()));
        if (!writeAll(&out, block))
            throw writeFailed(out.errorString());
    }
    if (db.exists && ::fchmod(out.handle(), db.mode) != 0)
        throw writeFailed(SafeFiles::ErrorText(errno));
    syncFile(out.handle(), temp);
}

// Puts the finished transaction file (or a copy of it) beside the database and renames
// it over the database, so the database is always either the old or the new one.
void replaceDatabase(const DatabaseContext &context, QFile &txn, const QString &txnName, const DatabaseFile &db)
{
    const auto fails = [&](RecordFile::SaveStep step) { return context.SaveStepFails(step); };
    const QString temp = db.path + QStringLiteral(".new");
    if (fails(RecordFile::SaveStep::CopyDatabase))
        throw EInOutError(QStringLiteral("Cannot copy \"%1\" to \"%2\"").arg(txnName, temp));
    auto removeTemp = qScopeGuard([&] { QFile::remove(temp); });
    if (!linkTransaction(txn, temp, db))
        copyTransaction(txn, txnName, temp, db);
    if (fails(RecordFile::SaveStep::ReplaceDatabase) ||
        ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(db.path).constData()) != 0)
        throw EInOutError(QStringLiteral("Cannot replace \"%1\": %2").arg(db.path, SafeFiles::ErrorText(errno)));
    removeTemp.dismiss();
    syncDirectory(QFileInfo(db.path).absolutePath());
}

} // namespace

namespace RecordFile {

QString KeepUnreadCopy(const QString &fileName) { return keepUnread(fileName, false); }

QString DroppedLinesText(const ReadNotes &notes)
{
    if (notes.droppedLines == 0)
        return {};
    if (notes.droppedLines == 1)
        return QStringLiteral("line %1 could not be read").arg(notes.firstDroppedLine);
    return QStringLiteral("%1 lines could not be read, the first at line %2")
        .arg(notes.droppedLines)
        .arg(notes.firstDroppedLine);
}

QString ImportShortfall(const ReadNotes &notes)
{
    QStringList said;
    if (notes.records == 0)
        said << QStringLiteral("nothing to import");
    if (notes.droppedLines > 0)
        said << DroppedLinesText(notes);
    if (notes.cutOffLine > 0)
        said << QStringLiteral("the file ends inside the record at line %1").arg(notes.cutOffLine);
    return said.join(QLatin1String("; "));
}

} // namespace RecordFile

QString ParamsLine() { return QStringLiteral("{Params}"); }

void ReadParams(const QString &) {}

namespace {
// Suspends the tree's redrawing for the length of a read.
auto updateScope(TTreeNodes *nodes)
{
    nodes->BeginUpdate();
    return qScopeGuard([nodes] { nodes->EndUpdate(); });
}
} // namespace

RecordFile::ReadNotes ReadItems(const QByteArray &bytes, qsizetype startAt, int firstLine, TTreeNode *ownerNode)
{
    const auto update = updateScope(ownerNode->Owner());
    auto source = std::make_shared<RecordSource>();
    source->bytes = bytes;
    return ReadRecords(source, startAt, firstLine, ownerNode);
}

RecordFile::ReadNotes ReadMadeItems(const QByteArray &bytes, TTreeNode *ownerNode, bool readAhead)
{
    const auto update = updateScope(ownerNode->Owner());
    auto source = std::make_shared<RecordSource>();
    source->bytes = bytes;
    source->madeAsSaved = true;
    return ReadRecords(source, 0, 1, ownerNode, readAhead);
}

namespace {
// Tells the user what a load of fileName could not read, and where the file as it was is kept.
void tellUnread(ItemServices &services, const QString &fileName, const QString &what, const QString &kept)
{
    const QString name = QFileInfo(fileName).fileName();
    if (!kept.isEmpty())
        services.ShowInformation(QStringLiteral("In \"%1\", %2. The file as it was is kept as \"%3\", "
                                                "so nothing is lost when the database is saved.")
                                     .arg(name, what, kept));
    else
        services.ShowInformation(QStringLiteral("In \"%1\", %2, and no copy of the file could be kept: "
                                                "saving now would lose them.")
                                     .arg(name, what));
}
} // namespace

RecordFile::ReadNotes LoadDatabaseFrom(TTreeNode *rootNode, const QString &fileName, RecordFile::OnLoadError onError)
{
    const bool keep = onError == RecordFile::OnLoadError::KeepUnreadCopy;
    ItemServices &services = rootNode->Owner()->Context().Services();
    const auto update = updateScope(rootNode->Owner());
    QFile file(fileName);
    if (!QFileInfo::exists(fileName))
        return {}; // a new, empty database
    RecordFile::ReadNotes notes;
    try {
        // One that is there but cannot be read must not pass for an empty one: a save would replace it.
        QString why;
        if (SafeFiles::OpenForReading(file, fileName, &why) != SafeFiles::Opened::Yes)
            throw EInOutError(why);
        const auto source = ReadRecordSource(file, rootNode->Owner()->Context().KeepsFilesMapped());
        // The first line is the parameters line.
        const char *data = source->bytes.constData();
        const char *end = data + source->bytes.size();
        const char *paramsEnd = LineScan::FindLineEnd(data, end);
        ReadParams(source->Text(0, paramsEnd - data).trimmed());
        const char *records = LineScan::SkipLineEnd(paramsEnd, end);
        notes = ReadRecords(source, records - data, records == paramsEnd ? 1 : 2, rootNode);
    } catch (const std::exception &e) {
        if (keep) {
            const auto *io = dynamic_cast<const EInOutError *>(&e);
            const QString where = io && io->Line() > 0 ? QStringLiteral(" at line %1").arg(io->Line()) : QString();
            tellUnread(services, fileName, QStringLiteral("reading stopped%1: the records after it were not loaded").arg(where),
                       keepUnread(fileName, !file.isOpen()));
        }
        throw;
    }
    // The lines a load passed over are gone from the next save.
    if (keep && notes.droppedLines > 0)
        tellUnread(services, fileName, RecordFile::DroppedLinesText(notes), keepUnread(fileName, false));
    return notes;
}

RecordFile::ReadNotes LoadDatabase(TTreeNode *rootNode) { return LoadDatabaseFrom(rootNode, RecordFile::DatabaseName); }

bool IsExportFileName(const QString &fileName) { return fileName.endsWith(QLatin1String(".mbd"), Qt::CaseInsensitive); }

RecordFile::ReadNotes ImportFile(TTreeNode *ownerNode, const QString &fileName)
{
    if (!IsExportFileName(fileName) && fileName != RecordFile::ClipboardFileName)
        return {};
    const auto update = updateScope(ownerNode->Owner());
    QFile file;
    QString why;
    switch (SafeFiles::OpenForReading(file, fileName, &why)) {
    case SafeFiles::Opened::Yes:
        break;
    case SafeFiles::Opened::CannotOpen:
        return {}; // nothing to import
    case SafeFiles::Opened::NotAFile:
        throw EInOutError(why);
    }
    return ReadRecords(ReadRecordSource(file), 0, 1, ownerNode);
}

RecordSink::RecordSink(QIODevice *device) : m_device(device) { m_buffer.reserve(kBlock + (kBlock >> 2)); }

RecordSink::~RecordSink() = default;

void RecordSink::WriteInBackground(int fd) { m_background = std::make_unique<BackgroundWriter>(fd); }

void RecordSink::StopWriting() noexcept { m_background.reset(); }

void RecordSink::Line(const QString &text)
{
    AppendUtf8(m_buffer, text);
    m_buffer += "\r\n";
    if (m_buffer.size() >= kBlock)
        blockFull();
}

void RecordSink::Record(const TZEBObject &item, int level)
{
    item.AppendRecord(m_buffer, level);
    AppendBytes(m_buffer, "\r\n");
    if (m_buffer.size() >= kBlock)
        blockFull();
}

void RecordSink::Bytes(QByteArrayView bytes)
{
    AppendBytes(m_buffer, bytes.data(), bytes.size());
    if (m_buffer.size() >= kBlock)
        blockFull();
}

void RecordSink::blockFull()
{
    if (!m_background) {
        Flush();
        return;
    }
    m_background->Hand(m_buffer);
    if (m_buffer.capacity() < kBlock)
        m_buffer.reserve(kBlock + (kBlock >> 2));
}

void RecordSink::Flush()
{
    if (m_background) {
        if (!m_buffer.isEmpty())
            m_background->Hand(m_buffer);
        m_background->Wait();
        return;
    }
    if (m_buffer.isEmpty())
        return;
    if (!writeAll(m_device, m_buffer))
        throw EInOutError(m_device->errorString());
    m_written += m_buffer.size();
    if (m_writeBackFd >= 0)
        StartWriteBack(m_writeBackFd, m_hinted, m_written);
    // Emptied, not freed: the next block is gathered where this one was.
    m_buffer.resize(0);
}

void WriteItem(const TZEBObject *item, RecordSink &file, int level)
{
    if (!item)
        return;
    file.Record(*item, level);
    WriteChildren(item, file, level + 1);
}

void WriteChildren(const TZEBObject *item, RecordSink &file, int level)
{
    // Leaf records never made into items are written as they were read.
    if (const PendingLeaves *pending = item->Pending(); pending && WritePendingRecords(*pending, file, level))
        return;
    for (int i = 0; i < item->ChildCount(); ++i)
        WriteItem(item->ChildAt(i), file, level);
}

void WriteTree(TTreeNodes &nodes, RecordSink &sink)
{
    // Each node at its depth, kept while walking: asking every node would climb to the top.
    int depth = 0;
    for (TTreeNode *n = nodes.First(); n;) {
        const TZEBObject *item = n->Item();
        WriteItem(item, sink, depth);
        n = item && item->IsRemote() ? n->NextAfterSubtree(depth) : n->NextPreorder(depth);
    }
}

void SaveDatabase(TTreeNodes &nodes)
{
    using RecordFile::SaveStep;
    const DatabaseContext &context = nodes.Context();
    const auto fails = [&](SaveStep step) { return context.SaveStepFails(step); };
    const DatabaseFile db = databaseFile(RecordFile::DatabaseName);
    const QString txnName = RecordFile::TransactionName;
    QFile txn;
    QString why;
    // Made afresh: a link or another's file planted under this name is never written through.
    if (fails(SaveStep::CreateTransaction))
        why = QStringLiteral("Cannot create \"%1\"").arg(txnName);
    if (!why.isEmpty() || !SafeFiles::CreateFresh(txn, txnName, db.mode, &why))
        throw EInOutError(why);
    RecordSink sink(&txn);
    sink.WriteInBackground(txn.handle());
    if (fails(SaveStep::WriteParams))
        throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(txnName));
    sink.Line(ParamsLine());
    sink.Flush();
    try {
        if (fails(SaveStep::WriteRecords))
            throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(txnName));
        WriteTree(nodes, sink);
        sink.Flush();
        if (fails(SaveStep::SyncTransaction) || !txn.flush())
            throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(txnName));
        syncFile(txn.handle(), txnName);
    } catch (const std::exception &e) {
        // No block may still be on its way to the handle when it is closed.
        sink.StopWriting();
        context.Services().ShowError(QString::fromLatin1(RecordFile::WriteErrorText));
        txn.close();
        throw ESaveError(ErrorText(e));
    }
    try {
        replaceDatabase(context, txn, txnName, db);
    } catch (const EInOutError &e) {
        const QString reason = ErrorText(e);
        context.Services().ShowError(QStringLiteral("%1. The saved data is in \"%2\".").arg(reason, txnName));
        throw ESaveError(reason);
    }
}

void WriteWholeFile(const QString &fileName, const std::function<void(RecordSink &)> &write)
{
    QSaveFile f(fileName);
    f.setDirectWriteFallback(true); // a directory that takes no new files
    // Records are gathered in large blocks already; unbuffered, a short write is seen
    // where it happens instead of passing unnoticed into the commit.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw EInOutError(QStringLiteral("Cannot create \"%1\": %2").arg(fileName, f.errorString()));
    RecordSink sink(&f);
    // The commit syncs the file before it takes the name.
    sink.WriteBackEarly(f.handle());
    write(sink);
    sink.Flush();
    if (!f.commit())
        throw EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, f.errorString()));
}

void ForEachShownNode(TTreeNode *node, const std::function<void(TTreeNode *, int depth)> &visit)
{
    // The depth is kept while walking (asking each node would climb to the top every
    // time); back at 0, the walk has left the subtree.
    int depth = 0;
    for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth)) {
        const TZEBObject *item = n->Item();
        if (item && !item->IsFilteredOut())
            visit(n, depth);
    }
}

void ForEachPublishedNode(TTreeNode *node, const std::function<void(TTreeNode *, int depth)> &visit)
{
    // The tree depths of the shown nodes above the current one: a node's depth is how
    // many of them lie above it. Each node is pushed and popped once, so the walk stays linear.
    std::vector<int> shownAbove;
    int depth = 0;
    for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth)) {
        while (!shownAbove.empty() && shownAbove.back() >= depth)
            shownAbove.pop_back();
        const TZEBObject *item = n->Item();
        if (!item || item->IsFilteredOut())
            continue;
        visit(n, int(shownAbove.size()));
        shownAbove.push_back(depth);
    }
}

void ExportSubtree(TTreeNode *node, const QString &fileName)
{
    WriteWholeFile(fileName, [&](RecordSink &sink) {
        ForEachPublishedNode(node, [&](TTreeNode *n, int depth) {
            TZEBObject *item = n->Item();
            // Containers go without their categories; the leaves written with them keep theirs.
            const qint32 categories = item->Categories();
            item->SetCategories(0);
            const auto restore = qScopeGuard([&] { item->SetCategories(categories); });
            WriteItem(item, sink, depth + 1);
        });
    });
}
