#include "recordfile.h"

#include "fieldcodec.h"
#include "itemfactory.h"
#include "itemservices.h"
#include "treenodes.h"
#include "zebobject.h"
#include "platform/textcodec.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <cerrno>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::function<bool(RecordFile::SaveStep)> g_saveFault;
RecordFile::ReadNotes g_notes;

bool fails(RecordFile::SaveStep step) { return g_saveFault && g_saveFault(step); }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a decimal number token the way the record reader always has: optional sign, digits.
bool parseNumber(const char *p, qsizetype n, int &value)
{
    if (n <= 0)
        return false;
    qsizetype i = 0;
    bool negative = false;
    if (p[0] == '+' || p[0] == '-') {
        negative = p[0] == '-';
        i = 1;
    }
    if (i >= n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return false;
        v = v * 10 + (p[i] - '0');
        if (v > 0x7fffffffLL)
            return false;
    }
    value = int(negative ? -v : v);
    return true;
}

// Reads the record grammar token by token, from bytes in memory or from a file read
// in blocks (so a large database is never held whole besides its items).
class Reader
{
public:
    Reader(const QByteArray &bytes, qsizetype pos, int line, bool utf8)
        : m_data(bytes.constData()), m_size(bytes.size()), m_pos(pos), m_line(line), m_utf8(utf8)
    {
    }
    Reader(QIODevice *device, int line, bool utf8) : m_device(device), m_line(line), m_utf8(utf8) {}

    bool atEnd() { return m_pos >= m_size && more(m_pos) < 0; }
    // Only blanks and line ends remain (nothing is consumed).
    bool onlyBlanksLeft()
    {
        for (qsizetype i = m_pos;; ++i) {
            if (i >= m_size) {
                const qsizetype shift = more(m_pos);
                if (shift < 0)
                    return true;
                i -= shift;
            }
            if (!isBlank(m_data[i]))
                return false;
        }
    }
    char readChar()
    {
        if (m_pos >= m_size && more(m_pos) < 0)
            return '\0';
        const char c = m_data[m_pos++];
        if (c == '\n')
            ++m_line;
        return c;
    }
    bool readNumber(int &value)
    {
        for (;;) {
            if (m_pos >= m_size && more(m_pos) < 0)
                break;
            if (!isBlank(m_data[m_pos]))
                break;
            readChar();
        }
        qsizetype start = m_pos;
        for (;;) {
            if (m_pos >= m_size) {
                const qsizetype shift = more(start);
                if (shift < 0)
                    break;
                start -= shift;
            }
            if (isBlank(m_data[m_pos]))
                break;
            ++m_pos;
        }
        return parseNumber(m_data + start, m_pos - start, value);
    }
    // The rest of the current line into text (whose buffer is used again), then moves
    // past its end.
    void readLine(QString &text)
    {
        qsizetype start = m_pos;
        bool ascii = true;
        for (;; ++m_pos) {
            if (m_pos >= m_size) {
                const qsizetype shift = more(start);
                if (shift < 0)
                    break;
                start -= shift;
            }
            const char c = m_data[m_pos];
            if (c == '\n' || c == '\r')
                break;
            ascii = ascii && !(c & 0x80);
        }
        const qsizetype n = m_pos - start;
        if (!ascii) {
            text = RecordFile::DecodeText(m_data + start, n, m_utf8);
        } else {
            text.resize(n);
            QChar *out = text.data();
            for (qsizetype i = 0; i < n; ++i)
                out[i] = QLatin1Char(m_data[start + i]);
        }
        skipLineEnd();
    }
    void skipLine()
    {
        for (;; ++m_pos) {
            if (m_pos >= m_size && more(m_pos) < 0)
                break;
            if (m_data[m_pos] == '\n' || m_data[m_pos] == '\r')
                break;
        }
        skipLineEnd();
    }
    // Skips a UTF-8 byte-order mark at the very start.
    void skipByteOrderMark()
    {
        for (int i = 0; i < 3; ++i) {
            if (m_pos + i >= m_size && more(m_pos) < 0)
                return;
            if (m_data[m_pos + i] != "\xEF\xBB\xBF"[i])
                return;
        }
        m_pos += 3;
    }
    int line() const { return m_line; }

private:
    void skipLineEnd()
    {
        if (m_pos >= m_size)
            more(m_pos);
        if (m_pos < m_size && m_data[m_pos] == '\r') {
            ++m_pos;
            if (m_pos >= m_size)
                more(m_pos);
            if (m_pos < m_size && m_data[m_pos] == '\n')
                ++m_pos;
            ++m_line; // CR LF, or a lone CR
        } else if (m_pos < m_size && m_data[m_pos] == '\n') {
            ++m_pos;
            ++m_line;
        }
    }
    // Reads the next block of the file behind what is buffered, dropping the bytes
    // before keepFrom. Returns by how much buffer positions moved down, or -1 at the end.
    qsizetype more(qsizetype keepFrom)
    {
        if (!m_device)
            return -1;
        const QByteArray block = m_device->read(kBlock);
        if (block.isEmpty()) {
            // A file that cannot be read to its end must not pass for a shorter one.
            if (!m_device->atEnd())
                throw EInOutError(QStringLiteral("Cannot read the file: %1").arg(m_device->errorString()), m_line);
            return -1;
        }
        m_buffer.remove(0, keepFrom);
        m_buffer.append(block);
        m_pos -= keepFrom;
        m_data = m_buffer.constData();
        m_size = m_buffer.size();
        return keepFrom;
    }

    static constexpr qint64 kBlock = 1 << 20;
    QIODevice *m_device = nullptr;
    QByteArray m_buffer;
    const char *m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_pos = 0;
    int m_line;
    bool m_utf8;
};

// Whether a whole file is valid UTF-8, read in blocks; a sequence cut by the end of a
// block is carried into the next one.
bool isValidUtf8File(QIODevice &device)
{
    QByteArray carry;
    for (;;) {
        QByteArray block = device.read(1 << 20);
        if (block.isEmpty())
            return carry.isEmpty();
        if (!carry.isEmpty())
            block.prepend(carry);
        qsizetype cut = block.size();
        for (qsizetype i = block.size() - 1; i >= 0 && i >= block.size() - 4; --i) {
            const auto c = static_cast<unsigned char>(block.at(i));
            if ((c & 0xC0) == 0x80)
                continue;
            const qsizetype need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            if (block.size() - i < need)
                cut = i;
            break;
        }
        if (!isValidUtf8(QByteArray::fromRawData(block.constData(), cut)))
            return false;
        carry = block.mid(cut);
    }
}

// Keeps the unread database next to it, so a later save cannot lose what failed to load.
// A file that cannot even be opened is renamed aside instead: that needs no reading.
QString keepUnreadCopy(const QString &fileName, bool moveAside)
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

void syncFile(int fd, const QString &what)
{
    if (::fsync(fd) != 0)
        throw EInOutError(QStringLiteral("Cannot write %1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno))));
}

void syncDirectory(const QString &dir)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Copies the finished transaction file to a temporary name and renames it over the
// database, so the database is always either the old or the new one.
void replaceDatabase(const QString &txn, const QString &db)
{
    const QString temp = db + QStringLiteral(".new");
    QFile::remove(temp);
    QFile in(txn);
    QFile out(temp);
    if (fails(RecordFile::SaveStep::CopyDatabase) || !in.open(QIODevice::ReadOnly) ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw EInOutError(QStringLiteral("Cannot copy \"%1\" to \"%2\"").arg(txn, temp));
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 20);
        if (block.isEmpty() && in.error() != QFile::NoError)
            throw EInOutError(QStringLiteral("Cannot read \"%1\"").arg(txn));
        if (out.write(block) != block.size())
            throw EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(temp, out.errorString()));
    }
    if (!out.flush())
        throw EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(temp, out.errorString()));
    syncFile(out.handle(), temp);
    out.close();
    if (fails(RecordFile::SaveStep::ReplaceDatabase) ||
        ::rename(QFile::encodeName(temp).constData(), QFile::encodeName(db).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        throw EInOutError(QStringLiteral("Cannot replace \"%1\": %2").arg(db, reason));
    }
    syncDirectory(QFileInfo(db).absolutePath());
}

void writeSubtree(TTreeNode *node, RecordSink &sink, int depth)
{
    WriteItem(node->Item(), sink, depth);
    if (node->Item() && node->Item()->IsRemote())
        return; // read again from its source
    for (int i = 0; i < node->Count(); ++i)
        writeSubtree(node->Child(i), sink, depth + 1);
}

} // namespace

namespace RecordFile {

void SetSaveFaultHook(std::function<bool(SaveStep)> hook) { g_saveFault = std::move(hook); }

ReadNotes LastReadNotes() { return g_notes; }

QString DecodeText(const char *data, qsizetype size, bool utf8)
{
    if (utf8)
        return QString::fromUtf8(data, size);
    return decodeWindows1252(QByteArray::fromRawData(data, size));
}

} // namespace RecordFile

QString ParamsLine() { return QStringLiteral("{Params}"); }

void ReadParams(const QString &) {}

namespace {
// Lets records be placed where a remote folder's refresh may place them, for one item.
struct RemoteLoadingScope
{
    RemoteLoadingScope() : m_was(RemoteLoading()) { SetRemoteLoading(true); }
    ~RemoteLoadingScope() { SetRemoteLoading(m_was); }
    bool m_was;
};

bool isReadOnly(const TTreeNode *node)
{
    const TZEBObject *item = node ? node->Item() : nullptr;
    return item && (item->IsRemote() || item->InRemote());
}

void noteDropped(int line)
{
    if (g_notes.droppedLines++ == 0)
        g_notes.firstDroppedLine = line;
}

void readItems(Reader &in, TTreeNode *ownerNode)
{
    g_notes = {};
    if (!RemoteLoading() && isReadOnly(ownerNode))
        throw ERemoteParent();
    const bool sourceOfRemote = RemoteLoading() && ownerNode->Item() && ownerNode->Item()->IsRemote();
    const qint64 baseLevel = ownerNode->Level();
    qint64 currentLevel = baseLevel + 1;
    TTreeNode *currentParent = ownerNode;
    TTreeNode *lastContainer = ownerNode;
    // Records inside a remote folder that this file also holds (an export of it) are
    // skipped with their subtree: the folder reads them again from its source.
    qint64 skipBelow = std::numeric_limits<qint64>::max();
    FieldPool pool;
    QString header;
    QString dataLine;
    FieldViews fields;
    while (!in.atEnd()) {
        if (in.onlyBlanksLeft())
            break; // trailing blank lines end the file quietly
        const int headerLine = in.line();
        const char c1 = in.readChar();
        int level = 0;
        int kind = 0;
        if (!in.readNumber(level) || !in.readNumber(kind))
            throw EInOutError(QString::fromLatin1(RecordFile::InvalidNumericInput), headerLine);
        in.readChar(); // the blank before "}"
        const char c2 = in.readChar();
        if (c1 != '{' || c2 != '}') {
            in.skipLine();
            noteDropped(headerLine);
            continue;
        }
        in.readLine(header);
        fields.clear();
        SplitFieldViews(header, fields);
        if (fields.size() != 4) {
            noteDropped(headerLine);
            continue;
        }
        if (kind == Kinds::Root) {
            // The root record belongs to the root the program made; it is never replaced.
            continue;
        }
        // Records never climb out of the node they are read into.
        const qint64 l = std::max(qint64(level) + baseLevel, baseLevel + 1);
        if (l > skipBelow) {
            in.skipLine();
            continue;
        }
        skipBelow = std::numeric_limits<qint64>::max();
        if (l > currentLevel) {
            currentLevel = l;
            currentParent = lastContainer;
        } else {
            while (l < currentLevel && currentParent != ownerNode) {
                currentParent = currentParent->Parent();
                --currentLevel;
            }
            currentLevel = l;
        }
        in.readLine(dataLine);
        bool ok = false;
        const qint32 id = fields.at(3).toInt(&ok);
        const auto create = [&] {
            return CreateItem(kind, FieldValue(fields.at(0)), FieldValue(fields.at(1)), FieldValue(fields.at(2)),
                              currentParent, dataLine, ok ? id : 0);
        };
        TZEBObject *item = nullptr;
        if (sourceOfRemote && currentParent == ownerNode && !Kinds::isContainer(kind)) {
            // The folder's own leaf items are the user's, saved with it; a leaf at the top
            // of its source would pile up there at every refresh and be saved as if local.
            continue;
        }
        if (RemoteLoading() || !isReadOnly(currentParent)) {
            item = create();
        } else if (!Kinds::isContainer(kind) && currentParent->Item()->IsRemote()) {
            // A remote folder's own leaf items are saved with it and belong to it.
            RemoteLoadingScope allowed;
            item = create();
        } else {
            if (Kinds::isContainer(kind))
                skipBelow = l;
            continue;
        }
        if (Kinds::isContainer(kind))
            lastContainer = item->Node();
    }
}
} // namespace

void ReadItems(const QByteArray &bytes, qsizetype startAt, int firstLine, TTreeNode *ownerNode)
{
    Reader in(bytes, startAt, firstLine, isValidUtf8(bytes));
    if (startAt == 0)
        in.skipByteOrderMark();
    readItems(in, ownerNode);
}

namespace {
// Suspends the tree's redrawing for the length of a read.
struct UpdateScope
{
    explicit UpdateScope(TTreeNodes *nodes) : m_nodes(nodes) { m_nodes->BeginUpdate(); }
    ~UpdateScope() { m_nodes->EndUpdate(); }
    TTreeNodes *m_nodes;
};
} // namespace

void LoadDatabaseFrom(TTreeNode *rootNode, const QString &fileName, RecordFile::OnLoadError onError)
{
    UpdateScope update(rootNode->Owner());
    QFile file(fileName);
    if (!QFileInfo::exists(fileName))
        return; // a new, empty database
    try {
        // One that is there but cannot be read must not pass for an empty one: a save would replace it.
        if (!file.open(QIODevice::ReadOnly))
            throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString()));
        const bool utf8 = isValidUtf8File(file);
        if (!file.seek(0))
            throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString()));
        Reader in(&file, 1, utf8);
        // The first line is the parameters line.
        QString params;
        in.readLine(params);
        ReadParams(params.trimmed());
        readItems(in, rootNode);
    } catch (const std::exception &e) {
        if (onError == RecordFile::OnLoadError::KeepUnreadCopy) {
            const auto *io = dynamic_cast<const EInOutError *>(&e);
            const QString where = io && io->Line() > 0 ? QStringLiteral(" at line %1").arg(io->Line()) : QString();
            const QString kept = keepUnreadCopy(fileName, !file.isOpen());
            const QString name = QFileInfo(fileName).fileName();
            if (!kept.isEmpty())
                Services().ShowInformation(
                    QStringLiteral("Reading \"%1\" stopped%2. The records after it were not loaded. "
                                   "The file as it was is kept as \"%3\", so nothing is lost when the database "
                                   "is saved.")
                        .arg(name, where, kept));
            else
                Services().ShowInformation(
                    QStringLiteral("Reading \"%1\" stopped%2. The records after it were not loaded, and no copy "
                                   "of the file could be kept: saving now would lose them.")
                        .arg(name, where));
        }
        throw;
    }
}

void LoadDatabase(TTreeNode *rootNode) { LoadDatabaseFrom(rootNode, RecordFile::DatabaseName); }

void ImportFile(TTreeNode *ownerNode, const QString &fileName)
{
    const bool mbd = fileName.endsWith(QLatin1String(".mbd"), Qt::CaseInsensitive);
    if (!mbd && fileName != RecordFile::ClipboardFileName)
        return;
    UpdateScope update(ownerNode->Owner());
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const bool utf8 = isValidUtf8File(file);
    if (!file.seek(0))
        throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(fileName, file.errorString()));
    Reader in(&file, 1, utf8);
    in.skipByteOrderMark();
    readItems(in, ownerNode);
}

RecordSink::RecordSink(QIODevice *device) : m_device(device) { m_buffer.reserve(kBlock + (kBlock >> 2)); }

void RecordSink::Line(const QString &text)
{
    // Most lines are plain ASCII: narrowed straight into the block.
    const qsizetype start = m_buffer.size();
    const qsizetype n = text.size();
    m_buffer.resize(start + n);
    char *out = m_buffer.data() + start;
    const ushort *in = text.utf16();
    qsizetype i = 0;
    for (; i < n && in[i] < 0x80; ++i)
        out[i] = char(in[i]);
    if (i < n) {
        m_buffer.resize(start);
        m_buffer += text.toUtf8();
    }
    m_buffer += "\r\n";
    if (m_buffer.size() >= kBlock)
        Flush();
}

void RecordSink::Flush()
{
    if (m_buffer.isEmpty())
        return;
    if (m_device->write(m_buffer) != m_buffer.size())
        throw EInOutError(m_device->errorString());
    m_buffer.clear();
}

void WriteItem(const TZEBObject *item, RecordSink &file, int level)
{
    if (!item)
        return;
    file.Line(item->GetRecordText(level));
    WriteChildren(item, file, level + 1);
}

void WriteChildren(const TZEBObject *item, RecordSink &file, int level)
{
    for (int i = 0; i < item->ChildCount(); ++i)
        WriteItem(item->ChildAt(i), file, level);
}

void SaveDatabase(TTreeNodes &nodes)
{
    using RecordFile::SaveStep;
    const QString txnName = RecordFile::TransactionName;
    QFile txn(txnName);
    // Records are gathered in large blocks already.
    if (fails(SaveStep::CreateTransaction) ||
        !txn.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw EInOutError(QStringLiteral("Cannot create \"%1\": %2").arg(txnName, txn.errorString()));
    RecordSink sink(&txn);
    if (fails(SaveStep::WriteParams))
        throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(txnName));
    sink.Line(ParamsLine());
    sink.Flush();
    try {
        if (fails(SaveStep::WriteRecords))
            throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(txnName));
        for (int i = 0; i < nodes.TopCount(); ++i)
            writeSubtree(nodes.Top(i), sink, 0);
        sink.Flush();
        if (fails(SaveStep::SyncTransaction) || !txn.flush())
            throw EInOutError(QStringLiteral("Cannot write \"%1\"").arg(txnName));
        syncFile(txn.handle(), txnName);
    } catch (const std::exception &) {
        Services().ShowError(QString::fromLatin1(RecordFile::WriteErrorText));
        txn.close();
        throw ESaveError();
    }
    txn.close();
    try {
        replaceDatabase(txnName, RecordFile::DatabaseName);
    } catch (const EInOutError &e) {
        Services().ShowError(QStringLiteral("%1. The saved data is in \"%2\".").arg(QString::fromUtf8(e.what()), txnName));
        throw ESaveError();
    }
}

QStringList &ExportColumns()
{
    static QStringList columns;
    return columns;
}

bool &IncludeFieldNames()
{
    static bool include = true;
    return include;
}

void ExportSubtree(TTreeNode *node, const QString &fileName, bool asCSV)
{
    // The column list serves one export, however it ends.
    struct ClearColumns
    {
        ~ClearColumns() { ExportColumns().clear(); }
    } clearColumns;
    // Written beside the target and renamed over it at the end, so an export that
    // stops half way leaves an earlier file of that name whole.
    QSaveFile f(fileName);
    f.setDirectWriteFallback(true); // a directory that takes no new files
    if (!f.open(QIODevice::WriteOnly))
        throw EInOutError(QStringLiteral("Cannot create \"%1\": %2").arg(fileName, f.errorString()));
    RecordSink sink(&f);
    QStringList &columns = ExportColumns();
    if (asCSV && IncludeFieldNames() && !columns.isEmpty())
        sink.Line(columns.mid(0, columns.size() - 1).join(u','));
    const int baseDepth = node->Level();
    TTreeNode *end = node->LastDescendant()->NextPreorder();
    for (TTreeNode *n = node; n && n != end; n = n->NextPreorder()) {
        TZEBObject *item = n->Item();
        if (!item || item->IsFilteredOut())
            continue;
        if (asCSV) {
            QString text;
            QTextStream out(&text);
            item->WriteCSVRow(out, columns);
            out.flush();
            if (!text.isEmpty()) {
                text.chop(2); // WriteCSVRow ends each line with CR LF
                for (const QString &line : text.split(QStringLiteral("\r\n")))
                    sink.Line(line);
            }
        } else {
            const qint32 categories = item->Categories();
            item->SetCategories(0);
            try {
                WriteItem(item, sink, n->Level() - baseDepth + 1);
            } catch (...) {
                item->SetCategories(categories);
                throw;
            }
            item->SetCategories(categories);
        }
    }
    sink.Flush();
    if (!f.commit())
        throw EInOutError(QStringLiteral("Cannot write \"%1\": %2").arg(fileName, f.errorString()));
}
