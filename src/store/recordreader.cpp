#include "recordreader.h"

#include "fieldcodec.h"
#include "itemfactory.h"
#include "linescan.h"
#include "pendingleaves.h"
#include "recordsource.h"
#include "recordfile.h"
#include "reminderobject.h"
#include "treenodes.h"
#include "zebobject.h"

#include <cstring>
#include <limits>

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

void noteDropped(RecordFile::ReadNotes &notes, int line)
{
    if (notes.droppedLines++ == 0)
        notes.firstDroppedLine = line;
}

} // namespace

RecordFile::ReadNotes ReadRecords(const std::shared_ptr<RecordSource> &readFrom, qsizetype startAt, int firstLine,
                 TTreeNode *ownerNode)
{
    struct FinishCopy
    {
        RecordSource &source;
        ~FinishCopy() { source.FinishCopy(); }
    } finishCopy{*readFrom};
    const std::shared_ptr<const RecordSource> source = readFrom;
    RecordFile::ReadNotes notes;
    Reader in(*source, startAt, firstLine);
    if (startAt == 0)
        in.skipByteOrderMark();
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
    FieldPool::Use usePool(pool);
    const QDate today = TReminderObject::Today(); // one day for the whole file
    LineScan::Fields fields;
    const char *data = source->bytes.constData();
    while (!in.atEnd()) {
        if (in.onlyBlanksLeft())
            break; // trailing blank lines end the file quietly
        const int headerLine = in.line();
        const qsizetype recordStart = in.pos();
        int level = 0;
        int kind = 0;
        char c1 = '{';
        char c2 = '}';
        if (!in.readPlainPrefix(level, kind)) {
            c1 = in.readChar();
            if (!in.readNumber(level) || !in.readNumber(kind))
                throw EInOutError(QString::fromLatin1(RecordFile::InvalidNumericInput), headerLine);
            in.readChar(); // the blank before "}"
            c2 = in.readChar();
        }
        if (c1 != '{' || c2 != '}') {
            in.skipLine();
            noteDropped(notes, headerLine);
            continue;
        }
        const bool container = Kinds::isContainer(kind);
        if (container) {
            const char *header = data + in.pos();
            const char *headerEnd = data + in.skipLine();
            fields.clear();
            LineScan::SplitFields(header, headerEnd, fields);
            if (fields.size() != 4) {
                noteDropped(notes, headerLine);
                continue;
            }
        } else if (in.skipHeaderLine() != 3) {
            noteDropped(notes, headerLine);
            continue;
        }
        if (kind == Kinds::Root) {
            // The root record belongs to the root the program made; it is never replaced.
            continue;
        }
        if (in.atEnd())
            notes.cutOffLine = headerLine;
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
        if (!container) {
            const qsizetype dataStart = in.pos();
            const qsizetype dataEnd = in.skipLine();
            if (sourceOfRemote && currentParent == ownerNode) {
                // The folder's own leaf items are the user's, saved with it; a leaf at the top
                // of its source would pile up there at every refresh and be saved as if local.
                continue;
            }
            // A remote folder's own leaf items are saved with it and belong to it.
            if (RemoteLoading() || !isReadOnly(currentParent) || currentParent->Item()->IsRemote()) {
                const bool due = kind == Kinds::Reminder &&
                                 TReminderObject::DueForDataLine(
                                     ShortText(*source, data + dataStart, data + dataEnd).View(), today);
                currentParent->Item()->AddPendingLeaf(source, recordStart, in.pos(), due);
                ++notes.records;
            }
            continue;
        }
        const qsizetype dataStart = in.pos();
        const qsizetype dataEnd = in.skipLine();
        if (!RemoteLoading() && isReadOnly(currentParent)) {
            skipBelow = l;
            continue;
        }
        int id = 0;
        const bool ok = ParseInt(ShortText(*source, fields[3].begin, fields[3].end).View(), id);
        const auto field = [&](int i) { return source->FieldValue(fields[i].begin, fields[i].end); };
        // Made first and given its data line after: a container's making does not depend on it.
        TZEBObject *item = CreateItem(kind, field(0), field(1), field(2), currentParent, QString(), ok ? id : 0);
        item->LoadFieldsFrom(source, dataStart, dataEnd);
        lastContainer = item->Node();
        ++notes.records;
    }
    return notes;
}
