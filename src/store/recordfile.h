#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

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
    ESaveError() : std::runtime_error("Error saving database") {}
};

namespace RecordFile {
inline const QString DatabaseName = QStringLiteral("mira.dat");
inline const QString TransactionName = QStringLiteral("mira.dat.txn");
inline const QString ClipboardFileName = QStringLiteral("clipdata.dat");
inline const char *const WriteErrorText =
    "An error occurred while writing data to the disk.  Data input since last save will be lost.";
inline const char *const InvalidNumericInput = "Invalid numeric input";

// The steps of a save, for tests that stop it half way.
enum class SaveStep { CreateTransaction, WriteParams, WriteRecords, SyncTransaction, CopyDatabase, ReplaceDatabase };
// Returns true to make the step fail. Empty by default.
void SetSaveFaultHook(std::function<bool(SaveStep)> hook);

// What the last read passed over: lines that are no record header, and headers that
// do not hold four fields. They are dropped, and a save no longer has them.
struct ReadNotes
{
    int droppedLines = 0;
    int firstDroppedLine = 0;
};
ReadNotes LastReadNotes();

// Text of part of a file: UTF-8, or Windows-1252 when the file is not valid UTF-8.
QString DecodeText(const char *data, qsizetype size, bool utf8);
} // namespace RecordFile

QString ParamsLine();
void ReadParams(const QString &line);

// Reads records from the bytes of a file, starting at offset startAt (line firstLine),
// into the tree below ownerNode. Raises ERemoteParent when ownerNode is read-only
// (outside a remote folder's refresh) and EInOutError, with the line, on a bad header.
void ReadItems(const QByteArray &bytes, qsizetype startAt, int firstLine, TTreeNode *ownerNode);
void LoadDatabase(TTreeNode *rootNode);
namespace RecordFile {
// When a load stops early, a later save would replace the records it did not read:
// the program keeps a copy of the file ("mira-unread-<time>.dat") and says so; a
// reader that never saves can leave the directory alone.
enum class OnLoadError { KeepUnreadCopy, JustThrow };
} // namespace RecordFile
// Loads from a given file name instead of "mira.dat".
void LoadDatabaseFrom(TTreeNode *rootNode, const QString &fileName,
                      RecordFile::OnLoadError onError = RecordFile::OnLoadError::KeepUnreadCopy);
void SaveDatabase(TTreeNodes &nodes);
void ImportFile(TTreeNode *ownerNode, const QString &fileName);

// The program-wide column list of a CSV export: column names, then the kind code.
QStringList &ExportColumns();
// "Include field names as first line" of the publishing wizard.
bool &IncludeFieldNames();
void ExportSubtree(TTreeNode *node, const QString &fileName, bool asCSV);

// Where records go: lines are encoded as UTF-8 with CR LF and written in large blocks.
class RecordSink
{
public:
    explicit RecordSink(QIODevice *device);
    ~RecordSink() = default;
    // Appends text followed by CR LF.
    void Line(const QString &text);
    // Appends bytes that are UTF-8 already.
    void Bytes(const QByteArray &bytes);
    // Writes what is buffered; raises EInOutError when the device refuses.
    void Flush();

private:
    static constexpr qsizetype kBlock = 1 << 20;
    QIODevice *m_device;
    QByteArray m_buffer;
};

void WriteItem(const TZEBObject *item, RecordSink &file, int level);
void WriteChildren(const TZEBObject *item, RecordSink &file, int level);
