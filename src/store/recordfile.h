#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <stdexcept>
#include <utility>

#include "databasecontext.h"

class BackgroundWriter;
class QIODevice;
class TTreeNode;
class TTreeNodes;
class TZEBObject;

// The run-time's input/output error: a file that could not be read or written.
class EInOutError : public std::runtime_error
{
public:
    explicit EInOutError(const QString &message, int line = 0)
        : std::runtime_error(message.toStdString()), m_line(line) {}
    // Line of the file at which reading stopped; 0 when not known.
    int Line() const { return m_line; }

private:
    int m_line;
};

class ESaveError : public std::runtime_error
{
public:
    explicit ESaveError(QString reason = {}) : std::runtime_error("Error saving database"), m_reason(std::move(reason)) {}
    // What failed, in the system's words when it said ("No space left on device").
    const QString &Reason() const { return m_reason; }

private:
    QString m_reason;
};

namespace RecordFile {
inline const QString DatabaseName = QStringLiteral("mira.dat");
inline const QString TransactionName = QStringLiteral("mira.dat.txn");
inline const QString ClipboardFileName = QStringLiteral("clipdata.dat");
inline const char *const WriteErrorText =
    "An error occurred while writing data to the disk.  Data input since last save will be lost.";
inline const char *const InvalidNumericInput = "Invalid numeric input";

// SaveStep: see databasecontext.h (DatabaseContext::SetSaveFaultHook).

// What a read found: how many records it took, and what it passed over: lines that are
// no record header and headers that do not hold four fields are dropped, and a save no
// longer has them.
struct ReadNotes
{
    int records = 0; // the root's record not counted
    int droppedLines = 0;
    int firstDroppedLine = 0;
    // A header the file ends after, before its data line: the item is made without it.
    int cutOffLine = 0;
};
// What an import of a file read with these notes tells the user: "nothing to import",
// the dropped lines, a record cut off at the end. Empty when the file read whole.
QString ImportShortfall(const ReadNotes &notes);
// The dropped lines alone ("2 lines could not be read, the first at line 7"); empty when none.
QString DroppedLinesText(const ReadNotes &notes);
// Copies the file as it stands beside it as "mira-unread-<time>.dat", so that a save of
// what was read of it loses nothing. The copy's absolute path, or empty when it could not be made.
QString KeepUnreadCopy(const QString &fileName);

} // namespace RecordFile

QString ParamsLine();
void ReadParams(const QString &line);

// Reads records from the bytes of a file, starting at offset startAt (line firstLine),
// into the tree below ownerNode. Raises ERemoteParent when ownerNode is read-only
// (outside a remote folder's refresh) and EInOutError, with the line, on a bad header.
RecordFile::ReadNotes ReadItems(const QByteArray &bytes, qsizetype startAt, int firstLine, TTreeNode *ownerNode);
// The same for records this program has just made as a save writes them (see
// RecordSource::madeAsSaved), from their start; readAhead as for RecordStream.
RecordFile::ReadNotes ReadMadeItems(const QByteArray &bytes, TTreeNode *ownerNode, bool readAhead = true);
RecordFile::ReadNotes LoadDatabase(TTreeNode *rootNode);
namespace RecordFile {
// When a load stops early or drops lines, a later save would replace the records it did
// not read: the program keeps a copy of the file ("mira-unread-<time>.dat") and says so;
// a reader that never saves, or keeps its own copy before it saves, leaves the directory alone.
enum class OnLoadError { KeepUnreadCopy, JustThrow };
} // namespace RecordFile
// Loads from a given file name instead of "mira.dat".
RecordFile::ReadNotes LoadDatabaseFrom(TTreeNode *rootNode, const QString &fileName,
                                       RecordFile::OnLoadError onError = RecordFile::OnLoadError::KeepUnreadCopy);
void SaveDatabase(TTreeNodes &nodes);
// An export file's name ends in ".mbd", in any case.
bool IsExportFileName(const QString &fileName);
// Nothing read (empty notes) for a name that is not an export file, or a file that cannot be opened.
RecordFile::ReadNotes ImportFile(TTreeNode *ownerNode, const QString &fileName);


// Where records go: lines are encoded as UTF-8 with CR LF and written in large blocks.
class RecordSink
{
public:
    explicit RecordSink(QIODevice *device);
    ~RecordSink();
    // Appends text followed by CR LF.
    void Line(const QString &text);
    // Appends the item's record at level followed by CR LF.
    void Record(const TZEBObject &item, int level);
    // Appends bytes that are UTF-8 already.
    void Bytes(QByteArrayView bytes);
    // Writes what is buffered; raises EInOutError when the device refuses.
    void Flush();
    // Has the system start putting each block written to the file open as fd on disk at
    // once, so a sync at the end has little left to wait for.
    void WriteBackEarly(int fd) { m_writeBackFd = fd; }
    // The same, and the blocks are written to fd (the device's own file, whose position
    // is not followed any more) on a thread of their own while the next is gathered.
    void WriteInBackground(int fd);
    // Waits for a block still being written in the background and writes nothing more:
    // after a failure, before the file is closed.
    void StopWriting() noexcept;

private:
    static constexpr qsizetype kBlock = 1 << 20;
    void blockFull();

    QIODevice *m_device;
    QByteArray m_buffer;
    int m_writeBackFd = -1;
    qint64 m_written = 0;
    long long m_hinted = 0;
    std::unique_ptr<BackgroundWriter> m_background;
};

// Writes fileName through a file beside it that is renamed over it once complete, so a
// write that stops half way leaves an earlier file of that name whole.
void WriteWholeFile(const QString &fileName, const std::function<void(RecordSink &)> &write);
// Every node of node's subtree in pre-order, without those whose item the category filter
// hides, with its depth below node (0 for node itself).
void ForEachShownNode(TTreeNode *node, const std::function<void(TTreeNode *, int depth)> &visit);
// Every node of node's subtree in pre-order that the category filter shows, with its depth
// counted in the shown nodes above it (0 for node itself). A hidden container's shown
// descendants move up into its place, so what is written nests as it reads back: an
// export file or a copy with a hidden folder reads back with the same shape, minus that folder.
void ForEachPublishedNode(TTreeNode *node, const std::function<void(TTreeNode *, int depth)> &visit);
// The subtree as records, node at level 1 (an ".mbd" export, a clipboard copy), at the
// depths of ForEachPublishedNode, containers without their categories; the CSV export is in
// exchange/csvexport.h. Raises EInOutError.
void ExportSubtree(TTreeNode *node, const QString &fileName);

void WriteItem(const TZEBObject *item, RecordSink &file, int level);
void WriteChildren(const TZEBObject *item, RecordSink &file, int level);
// The records of the whole tree as the database holds them, from the root on; a remote
// folder's contents are read again from its source, so they are left out.
void WriteTree(TTreeNodes &nodes, RecordSink &sink);
