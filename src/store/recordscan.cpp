#include "recordscan.h"

#include "recordfile.h"
#include "recordsource.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

using Got = Record::Got;

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
        : m_data(source.bytes.constData()), m_size(source.bytes.size()), m_pos(pos), m_line(line)
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

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos;
    int m_line;
};

// Reads the next record. A header that is not "{" level kind "}" and four fields is
// dropped without a data line; one whose numbers are not numbers ends the read.
Got readRecord(Reader &in, const char *data, Record &r, LineScan::Fields &fields)
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
        fields.clear();
        LineScan::SplitFields(header, headerEnd, fields);
        if (fields.size() != 4)
            return Got::Dropped;
        std::copy_n(fields.constData(), 4, r.fields);
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

// Records read ahead in batches; a few batches wait at most. Read on the caller's thread,
// a batch is small: a short file (a paste, a remote folder) needs little room.
constexpr size_t kBatch = 2048;
constexpr size_t kSmallBatch = 64;
constexpr size_t kBatches = 4;
// A smaller rest of a file is read on the caller's thread.
constexpr qsizetype kReadAheadFrom = qsizetype(1) << 20;

struct Batch
{
    std::vector<Record> records; // made as large as needed when first filled
    size_t count = 0;
    bool last = false; // the end, or the failure, is in this batch
    std::exception_ptr failure;
};

} // namespace

struct RecordStream::Work
{
    Work(const RecordSource &source, qsizetype startAt, int firstLine)
        : in(source, startAt, firstLine), data(source.bytes.constData())
    {
        if (startAt == 0)
            in.skipByteOrderMark();
    }

    // Reads the next records into batch (up to size), up to the end or a failure.
    void fill(Batch &batch, size_t size) noexcept
    {
        batch.count = 0;
        batch.last = false;
        batch.failure = nullptr;
        try {
            if (batch.records.size() < size)
                batch.records.resize(size);
            while (batch.count < size) {
                Record &r = batch.records[batch.count];
                r.got = readRecord(in, data, r, fields);
                r.end = in.pos();
                ++batch.count;
                if (r.got == Got::End) {
                    batch.last = true;
                    return;
                }
            }
        } catch (...) {
            batch.failure = std::current_exception();
            batch.last = true;
        }
    }

    // The other thread: fills the batches in turn until the last is filled.
    void readAhead() noexcept
    {
        for (size_t index = 0;; ++index) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return stop || filled < taken + kBatches; });
                if (stop)
                    return;
            }
            Batch &batch = batches[index % kBatches];
            fill(batch, kBatch);
            const std::lock_guard lock(mutex);
            ++filled;
            changed.notify_all();
            if (batch.last)
                return;
        }
    }

    // The caller's thread: the batch after the one it has gone through.
    Batch &nextBatch()
    {
        if (!helper.joinable()) {
            fill(batches[0], kSmallBatch);
            return batches[0];
        }
        std::unique_lock lock(mutex);
        if (started)
            ++taken; // the batch gone through may be filled again
        started = true;
        changed.notify_all();
        changed.wait(lock, [&] { return filled > taken; });
        return batches[taken % kBatches];
    }

    Reader in;
    const char *data;
    LineScan::Fields fields; // a header's, before they are kept in its record
    std::array<Batch, kBatches> batches;
    std::mutex mutex;
    std::condition_variable changed;
    size_t filled = 0; // batches filled by the other thread
    size_t taken = 0;  // batches gone through by the caller
    bool started = false;
    bool stop = false;
    std::thread helper;
    Batch *current = nullptr;
    size_t next = 0; // in current
    Record end;
};

RecordStream::RecordStream(const RecordSource &source, qsizetype startAt, int firstLine, bool readAhead)
    : m_work(std::make_unique<Work>(source, startAt, firstLine))
{
    if (!readAhead || source.bytes.size() - startAt < kReadAheadFrom)
        return;
    try {
        m_work->helper = std::thread([work = m_work.get()] { work->readAhead(); });
    } catch (const std::system_error &) {
        // No thread to spare: the records are read as they are asked for.
    }
}

RecordStream::~RecordStream()
{
    if (!m_work->helper.joinable())
        return;
    {
        const std::lock_guard lock(m_work->mutex);
        m_work->stop = true;
        m_work->changed.notify_all();
    }
    m_work->helper.join();
}

const Record &RecordStream::Next()
{
    Work &w = *m_work;
    if (!w.current || w.next == w.current->count) {
        if (w.current && w.current->failure)
            std::rethrow_exception(w.current->failure);
        if (w.current && w.current->last)
            return w.end; // read to its end already
        w.current = &w.nextBatch();
        w.next = 0;
        if (w.current->count == 0) {
            if (w.current->failure)
                std::rethrow_exception(w.current->failure);
            return w.end;
        }
    }
    return w.current->records[w.next++];
}
