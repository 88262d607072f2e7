#include "recordreader.h"

#include "fieldcodec.h"
#include "heapahead.h"
#include "itemfactory.h"
#include "linescan.h"
#include "pendingleaves.h"
#include "recordsource.h"
#include "recordfile.h"
#include "reminderobject.h"
#include "treenodes.h"
#include "zebobject.h"

#include <QScopeGuard>

#include <cstring>
#include <limits>
#include <unordered_map>
#include <vector>

namespace {

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

// Reads the record grammar token by token from the bytes of a file.
class Reader
{
public:
    Reader(const RecordSource &source, qsizetype pos, int line)
        : m_source(source), m_data(source.bytes.constData()), m_size(source.bytes.size()), m_pos(pos), m_line(line)
    {
    }

    qsizetype pos() const { return m_pos; }
    int line() const { return m_line; }
    bool atEnd() const { return m_pos >= m_size; }
    // Only blanks and line ends remain (nothing is consumed).
    bool onlyBlanksLeft() const
    {
        for (qsizetype i = m_pos; i < m_size; ++i)
            if (!LineScan::IsBlank(m_data[i]))
                return false;
        return true;
    }
    char readChar()
    {
        if (m_pos >= m_size)
            return '\0';
        const char c = m_data[m_pos++];
        if (c == '\n')
            ++m_line;
        return c;
    }
    bool readNumber(int &value)
    {
        while (m_pos < m_size && LineScan::IsBlank(m_data[m_pos]))
            readChar();
        const qsizetype start = m_pos;
        while (m_pos < m_size && !LineScan::IsBlank(m_data[m_pos]))
            ++m_pos;
        return parseNumber(m_data + start, m_pos - start, value);
    }
    // "{" level " " kind " }" as the program writes it, read in one step; false (and
    // nothing read) for any other shape, which the token reader takes.
    bool readPlainPrefix(int &level, int &kind)
    {
        const char *p = m_data + m_pos;
        const char *end = m_data + m_size;
        if (end - p < 6 || *p != '{')
            return false;
        const auto digits = [&](const char *&q, int &value) {
            const char *start = q;
            int v = 0;
            while (q < end && *q >= '0' && *q <= '9' && q - start < 9)
                v = v * 10 + (*q++ - '0');
            value = v;
            return q > start && q < end && *q == ' ';
        };
        ++p;
        if (!digits(p, level))
            return false;
        ++p;
        if (!digits(p, kind))
            return false;
        ++p;
        if (p >= end || *p != '}')
            return false;
        m_pos = p + 1 - m_data;
        return true;
    }
    // Moves past the rest of the current line; returns where the line ended.
    qsizetype skipLine()
    {
        m_pos = LineScan::FindLineEnd(m_data + m_pos, m_data + m_size) - m_data;
        const qsizetype end = m_pos;
        skipLineEnd();
        return end;
    }
    // The rest of a header line and the count of its field separators, then past its end.
    int skipHeaderLine()
    {
        const LineScan::HeaderLine header = LineScan::ScanHeaderLine(m_data + m_pos, m_data + m_size);
        m_pos = header.end - m_data;
        skipLineEnd();
        return header.separators;
    }
    // Skips a UTF-8 byte-order mark at the very start.
    void skipByteOrderMark()
    {
        if (m_size - m_pos >= 3 && std::memcmp(m_data + m_pos, "\xEF\xBB\xBF", 3) == 0)
            m_pos += 3;
    }

private:
    void skipLineEnd()
    {
        const char *after = LineScan::SkipLineEnd(m_data + m_pos, m_data + m_size);
        if (after != m_data + m_pos)
            ++m_line; // CR LF, or a lone CR or LF
        m_pos = after - m_data;
    }

    const RecordSource &m_source;
    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos;
    int m_line;
};

bool isReadOnly(const TTreeNode *node)
{
    const TZEBObject *item = node ? node->Item() : nullptr;
    return item && (item->IsRemote() || item->InRemote());
}

// The due reminders of one read, counted in the alert marks once at its end: counting
// each one on its own would climb to the top of the tree every time.
class DueTally
{
public:
    explicit DueTally(TTreeNode *owner) : m_owner(owner) {}
    void Made(TTreeNode *node) { m_made.push_back(node); }
    void Due(TTreeNode *node) { ++m_due[node]; }
    // Containers are made below the owner, each after its parent: from the last made
    // back to the first, every container's count is whole before it goes to its parent.
    void Settle()
    {
        if (m_due.empty())
            return;
        for (auto it = m_made.rbegin(); it != m_made.rend(); ++it) {
            const auto found = m_due.find(*it);
            if (found == m_due.end())
                continue;
            const int count = found->second;
            m_due.erase(found);
            (*it)->Item()->AddOwnMarks(count);
            m_due[(*it)->Parent()] += count;
        }
        TZEBObject::AddMarks(m_owner, m_due[m_owner]);
        m_due.clear();
    }

private:
    TTreeNode *m_owner;
    std::vector<TTreeNode *> m_made;
    std::unordered_map<TTreeNode *, int> m_due;
};

void noteDropped(RecordFile::ReadNotes &notes, int line)
{
    if (notes.droppedLines++ == 0)
        notes.firstDroppedLine = line;
}

// One record as the file holds it: where it starts, its header, and its data line.
struct Record
{
    int line = 0; // of the header
    qsizetype start = 0;
    int level = 0;
    ItemKind kind = ItemKind::Folder;
    bool container = false;
    LineScan::Fields fields; // a container's header fields; a leaf's are read when it is made
    qsizetype dataStart = 0;
    qsizetype dataEnd = 0;
    bool cutOff = false; // the file ends before its data line
};

enum class Got { Record, Root, Dropped, End };

// Reads the next record. A header that is not "{" level kind "}" and four fields is
// dropped without a data line; one whose numbers are not numbers ends the read.
Got readRecord(Reader &in, const char *data, Record &r)
{
    if (in.atEnd() || in.onlyBlanksLeft())
        return Got::End; // trailing blank lines end the file quietly
    r.line = in.line();
    r.start = in.pos();
    char c1 = '{';
    char c2 = '}';
    int code = 0;
    if (!in.readPlainPrefix(r.level, code)) {
        c1 = in.readChar();
        if (!in.readNumber(r.level) || !in.readNumber(code))
            throw EInOutError(QString::fromLatin1(RecordFile::InvalidNumericInput), r.line);
        in.readChar(); // the blank before "}"
        c2 = in.readChar();
    }
    r.kind = ItemKind(code);
    if (c1 != '{' || c2 != '}') {
        in.skipLine();
        return Got::Dropped;
    }
    r.container = IsContainerKind(r.kind);
    if (r.container) {
        const char *header = data + in.pos();
        const char *headerEnd = data + in.skipLine();
        r.fields.clear();
        LineScan::SplitFields(header, headerEnd, r.fields);
        if (r.fields.size() != 4)
            return Got::Dropped;
    } else if (in.skipHeaderLine() != 3) {
        return Got::Dropped;
    }
    if (r.kind == ItemKind::Root)
        return Got::Root; // it has no data line
    r.cutOff = in.atEnd();
    r.dataStart = in.pos();
    r.dataEnd = in.skipLine();
    return Got::Record;
}

// Where each record goes: its level against the records before it, within the node read
// into, and never into a remote folder's contents from outside its own refresh.
class Placement
{
public:
    explicit Placement(TTreeNode *owner)
        : m_owner(owner),
          m_remoteLoading(owner->Owner()->Context().RemoteLoading()),
          m_sourceOfRemote(m_remoteLoading && owner->Item() && owner->Item()->IsRemote()),
          m_base(owner->Level()),
          m_level(m_base + 1),
          m_parent(owner),
          m_lastContainer(owner)
    {
    }

    // The node a record of this level belongs below, or none when it is passed over.
    TTreeNode *parentFor(int level, bool container)
    {
        // Records never climb out of the node they are read into.
        const qint64 l = std::max(qint64(level) + m_base, m_base + 1);
        if (l > m_skipBelow)
            return nullptr;
        m_skipBelow = std::numeric_limits<qint64>::max();
        if (l > m_level) {
            m_level = l; // a jump of more than one level is one
            m_parent = m_lastContainer;
        } else {
            while (l < m_level && m_parent != m_owner) {
                m_parent = m_parent->Parent();
                --m_level;
            }
            m_level = l;
        }
        if (container) {
            if (!m_remoteLoading && isReadOnly(m_parent)) {
                // Inside a remote folder that this file also holds (an export of it): skipped
                // with its subtree, the folder reads them again from its source.
                m_skipBelow = l;
                return nullptr;
            }
            return m_parent;
        }
        // The folder's own leaf items are the user's, saved with it; a leaf at the top of its
        // source would pile up there at every refresh and be saved as if local.
        if (m_sourceOfRemote && m_parent == m_owner)
            return nullptr;
        // A remote folder's own leaf items are saved with it and belong to it.
        if (m_remoteLoading || !isReadOnly(m_parent) || m_parent->Item()->IsRemote())
            return m_parent;
        return nullptr;
    }
    // Leaf records at the next level belong to it.
    void madeContainer(TTreeNode *node) { m_lastContainer = node; }

private:
    TTreeNode *m_owner;
    bool m_remoteLoading; // a remote folder reads its own source into the tree
    bool m_sourceOfRemote;
    qint64 m_base;
    qint64 m_level;
    TTreeNode *m_parent;
    TTreeNode *m_lastContainer;
    qint64 m_skipBelow = std::numeric_limits<qint64>::max();
};

// A container becomes an item at once: it owns a node of the tree.
TTreeNode *makeContainer(const std::shared_ptr<const RecordSource> &source, const Record &r, TTreeNode *parent,
                         FieldPool *pool)
{
    const auto &fields = r.fields;
    int id = 0;
    const bool ok = ParseInt(ShortText(*source, fields[3].begin, fields[3].end).View(), id);
    const auto field = [&](int i, FieldPool *shared) {
        return source->FieldValue(fields[i].begin, fields[i].end, shared);
    };
    // Made first and given its data line after: a container's making does not depend on it.
    // A website's title says what sort it is ("Web URL") and repeats from person to person:
    // shared through the pool. Other titles are names of their own, and looking each one up
    // would cost more than it saves.
    FieldPool *titles = r.kind == ItemKind::Website ? pool : nullptr;
    TZEBObject *item =
        CreateItem(r.kind, field(0, titles), field(1, nullptr), field(2, nullptr), parent, QString(), ok ? id : 0);
    item->LoadFieldsFrom(source, r.dataStart, r.dataEnd);
    return item->Node();
}

// A leaf record waits in its owner; only whether a reminder is due is read now, for the alert marks.
void addLeaf(const std::shared_ptr<const RecordSource> &source, const Record &r, qsizetype end, TTreeNode *parent,
             const QDate &today, DueTally &dueTally)
{
    const char *data = source->bytes.constData();
    const bool due = r.kind == ItemKind::Reminder &&
                     TReminderObject::DueForDataLine(ShortText(*source, data + r.dataStart, data + r.dataEnd).View(),
                                                     today);
    if (parent->Item()->AddPendingLeaf(source, r.start, end, due) && due)
        dueTally.Due(parent);
}

} // namespace

RecordFile::ReadNotes ReadRecords(const std::shared_ptr<RecordSource> &readFrom, qsizetype startAt, int firstLine,
                                  TTreeNode *ownerNode)
{
    const auto finishCopy = qScopeGuard([&readFrom] { readFrom->FinishCopy(); });
    const std::shared_ptr<const RecordSource> source = readFrom;
    // The items of a large file take about one and a half times its size.
    const HeapAhead ahead(size_t(source->bytes.size() - startAt) / 2 * 3);
    Reader in(*source, startAt, firstLine);
    if (startAt == 0)
        in.skipByteOrderMark();
    const DatabaseContext &context = ownerNode->Owner()->Context();
    if (!context.RemoteLoading() && isReadOnly(ownerNode))
        throw ERemoteParent();
    Placement place(ownerNode);
    const QDate today = context.Today(); // one day for the whole file
    DueTally dueTally(ownerNode);
    // What was read stays when the read stops early, its marks with it.
    const auto settle = qScopeGuard([&dueTally] { dueTally.Settle(); });
    RecordFile::ReadNotes notes;
    Record r;
    for (;;) {
        const Got got = readRecord(in, source->bytes.constData(), r);
        if (got == Got::End)
            break;
        if (got == Got::Dropped)
            noteDropped(notes, r.line);
        if (got != Got::Record)
            continue; // the root's record belongs to the root the program made: never replaced
        if (r.cutOff)
            notes.cutOffLine = r.line;
        TTreeNode *parent = place.parentFor(r.level, r.container);
        if (!parent)
            continue;
        if (r.container) {
            TTreeNode *made = makeContainer(source, r, parent, context.Pool());
            place.madeContainer(made);
            dueTally.Made(made);
        } else {
            addLeaf(source, r, in.pos(), parent, today, dueTally);
        }
        ++notes.records;
    }
    return notes;
}
