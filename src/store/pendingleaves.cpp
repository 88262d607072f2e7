#include "pendingleaves.h"

#include "fieldcodec.h"
#include "itemfactory.h"
#include "linescan.h"
#include "recordfile.h"
#include "recordsource.h"
#include "reminderobject.h"
#include "wordstart.h"
#include "zebobject.h"

#include <algorithm>
#include <iterator>

namespace {

// One record of a span, as the load found it: "{" level blank kind blank "}" header,
// line end, data line, line end.
struct Record
{
    const char *begin = nullptr; // the "{"
    ItemKind kind = ItemKind::Folder;
    const char *header = nullptr; // after the "}"
    const char *headerEnd = nullptr;
    const char *data = nullptr;
    const char *dataEnd = nullptr;
    const char *next = nullptr;
};

// The load checked the numbers already; this only finds the parts again.
Record nextRecord(const char *p, const char *end)
{
    Record r;
    r.begin = p;
    ++p; // "{"
    for (int token = 0; token < 2; ++token) {
        while (p < end && LineScan::IsBlank(*p))
            ++p;
        const bool negative = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        int number = 0;
        for (; p < end && !LineScan::IsBlank(*p); ++p)
            number = number * 10 + (*p - '0');
        if (token == 1)
            r.kind = ItemKind(negative ? -number : number);
    }
    p += 2; // the blank before "}", and "}"
    r.header = p;
    r.headerEnd = LineScan::FindLineEnd(p, end);
    r.data = LineScan::SkipLineEnd(r.headerEnd, end);
    r.dataEnd = LineScan::FindLineEnd(r.data, end);
    r.next = LineScan::SkipLineEnd(r.dataEnd, end);
    return r;
}

template <typename Visit>
void forEachRecord(const PendingLeaves &pending, Visit visit)
{
    const char *base = pending.source->bytes.constData();
    for (const auto &span : pending.spans) {
        const char *end = base + span.end;
        for (const char *p = base + span.begin; p < end;) {
            const Record r = nextRecord(p, end);
            if (!visit(r))
                return;
            p = r.next;
        }
    }
}

// The header's fields of a record that becomes an item: records of another shape are passed over.
bool headerFields(const Record &r, LineScan::Fields &fields)
{
    fields.clear();
    LineScan::SplitFields(r.header, r.headerEnd, fields);
    return fields.size() == 4;
}

// An escaped field ("~" and percent codes) reads otherwise than its bytes.
bool mayBeEscaped(const LineScan::Field &field) { return field.begin < field.end && *field.begin == '~'; }

} // namespace

std::vector<PendingItem> MakePendingItems(const PendingLeaves &pending, FieldPool *pool)
{
    const RecordSource &source = *pending.source;
    std::vector<PendingItem> items;
    LineScan::Fields fields;
    forEachRecord(pending, [&](const Record &r) {
        if (!headerFields(r, fields))
            return true;
        int id = 0;
        const bool ok = ParseInt(ShortText(source, fields[3].begin, fields[3].end).View(), id);
        items.push_back({MakeItem(r.kind, source.FieldValue(fields[0].begin, fields[0].end, pool),
                                  source.FieldValue(fields[1].begin, fields[1].end, pool),
                                  source.FieldValue(fields[2].begin, fields[2].end, pool), QString(), ok ? id : 0),
                         source.Text(r.data, r.dataEnd)});
        return true;
    });
    return items;
}

int CountDueReminders(const PendingLeaves &pending, const QDate &today)
{
    int due = 0;
    forEachRecord(pending, [&](const Record &r) {
        if (r.kind == ItemKind::Reminder
            && TReminderObject::DueForDataLine(ShortText(*pending.source, r.data, r.dataEnd).View(), today))
            ++due;
        return true;
    });
    return due;
}

namespace {

// Whether an Id field reads as a number other than 0, as ParseInt reads it; a field of
// plain digits (as the program writes Ids) is read where it lies.
bool nonZeroId(const RecordSource &source, const char *begin, const char *end)
{
    const char *p = begin + (begin < end && *begin == '-' ? 1 : 0);
    if (p < end && end - p <= 9) {
        bool digits = true;
        bool zero = true;
        for (const char *q = p; q < end && digits; ++q) {
            digits = *q >= '0' && *q <= '9';
            zero = zero && *q == '0';
        }
        if (digits)
            return !zero;
    }
    int id = 0;
    return ParseInt(ShortText(source, begin, end).View(), id) && id != 0;
}

// Writes the records of one span: a run of records that already read as they would be
// written (this level, canonical head, CR LF ends, UTF-8) goes out as one block.
class PendingWriter
{
public:
    PendingWriter(const RecordSource &source, RecordSink &sink, int level)
        : m_source(source), m_sink(sink), m_level(level)
    {
    }
    void Write(const Record &r)
    {
        if (StandsAsWritten(r)) {
            if (!m_run)
                m_run = r.begin;
            return;
        }
        Flush(r.begin);
        m_sink.Bytes(RecordPrefix(m_level, r.kind).View());
        line(r.header, r.headerEnd);
        line(r.data, r.dataEnd);
    }
    bool StandsAsWritten(const Record &r) const
    {
        const RecordPrefix prefix(m_level, r.kind);
        return QByteArrayView(r.begin, r.header - r.begin) == prefix.View() && crlf(r.headerEnd, r.data)
               && crlf(r.dataEnd, r.next) && utf8(r.header, r.headerEnd) && utf8(r.data, r.dataEnd);
    }
    // Writes the run waiting before end.
    void Flush(const char *end)
    {
        if (m_run)
            m_sink.Bytes(QByteArrayView(m_run, end - m_run));
        m_run = nullptr;
    }

private:
    bool utf8(const char *begin, const char *end) const
    {
        return LineScan::IsAscii(begin, end - begin) || m_source.LineIsUtf8(begin, end);
    }
    static bool crlf(const char *lineEnd, const char *next)
    {
        return next == lineEnd + 2 && lineEnd[0] == '\r' && lineEnd[1] == '\n';
    }
    // A line in UTF-8 is written as it stands; one in Windows-1252 is decoded first.
    void line(const char *begin, const char *end)
    {
        if (utf8(begin, end)) {
            m_sink.Bytes(QByteArrayView(begin, end - begin));
            m_sink.Bytes("\r\n");
        } else {
            m_sink.Line(m_source.Text(begin, end));
        }
    }

    const RecordSource &m_source;
    RecordSink &m_sink;
    const int m_level;
    const char *m_run = nullptr;
};

// Whether each span's first record is of level: in records made as a save writes them,
// a container's leaves all share one.
bool spansAtLevel(const PendingLeaves &pending, int level)
{
    char digits[12];
    char *const end = digits + sizeof digits;
    const char *first = WriteNumberBefore(end, level);
    const QByteArrayView prefix(first, end - first);
    const QByteArray &bytes = pending.source->bytes;
    return std::all_of(pending.spans.begin(), pending.spans.end(), [&](const PendingLeaves::Span &span) {
        return span.end - span.begin > prefix.size() + 1 && bytes[span.begin] == '{'
               && QByteArrayView(bytes).sliced(span.begin + 1, prefix.size()) == prefix
               && bytes[span.begin + 1 + prefix.size()] == ' ';
    });
}

} // namespace

bool WritePendingRecords(const PendingLeaves &pending, RecordSink &sink, int level)
{
    const char *base = pending.source->bytes.constData();
    // Every record already reads as it would be written: the spans go out as they stand.
    const auto writeSpans = [&] {
        for (const auto &span : pending.spans)
            sink.Bytes(QByteArrayView(base + span.begin, span.end - span.begin));
        return true;
    };
    if (pending.source->madeAsSaved && spansAtLevel(pending, level))
        return writeSpans();
    PendingWriter writer(*pending.source, sink, level);
    bool asTheyStand = true;
    bool allAsWritten = true;
    forEachRecord(pending, [&](const Record &r) {
        const LineScan::HeaderLine header = LineScan::ScanHeaderLine(r.header, r.headerEnd);
        asTheyStand = header.separators == 3 && nonZeroId(*pending.source, header.lastField, r.headerEnd);
        allAsWritten = allAsWritten && writer.StandsAsWritten(r);
        return asTheyStand;
    });
    if (!asTheyStand)
        return false;
    if (allAsWritten)
        return writeSpans();
    for (const auto &span : pending.spans) {
        const char *end = base + span.end;
        const char *p = base + span.begin;
        while (p < end) {
            const Record r = nextRecord(p, end);
            writer.Write(r);
            p = r.next;
        }
        writer.Flush(p);
    }
    return true;
}

bool PendingHasWordStart(const PendingLeaves &pending, const WordStart &key)
{
    if (key.IsEmpty())
        return false;
    bool found = false;
    LineScan::Fields fields;
    forEachRecord(pending, [&](const Record &r) {
        if (!headerFields(r, fields))
            return true;
        const LineScan::Field title = fields[0];
        auto answer = WordStart::ByteAnswer::Decode;
        if (!mayBeEscaped(title))
            answer = key.MatchesAscii(title.begin, title.end);
        if (answer == WordStart::ByteAnswer::Decode)
            found = key.Matches(pending.source->FieldValue(title.begin, title.end));
        else
            found = answer == WordStart::ByteAnswer::Yes;
        return !found;
    });
    return found;
}

bool PendingHasNumber(const PendingLeaves &pending, QStringView digits)
{
    if (digits.isEmpty())
        return false;
    bool found = false;
    LineScan::Fields fields;
    forEachRecord(pending, [&](const Record &r) {
        if ((r.kind != ItemKind::Phone && r.kind != ItemKind::Fax) || !headerFields(r, fields))
            return true;
        const LineScan::Field value = fields[1];
        if (mayBeEscaped(value)) {
            QString text = pending.source->FieldValue(value.begin, value.end);
            StripToDigits(text);
            found = text == digits;
        } else {
            // No byte of a character beyond ASCII is a digit, in UTF-8 or in Windows-1252.
            qsizetype matched = 0;
            found = true;
            for (const char *p = value.begin; p < value.end && found; ++p) {
                if (*p < '0' || *p > '9')
                    continue;
                found = matched < digits.size() && digits[matched] == QLatin1Char(*p);
                ++matched;
            }
            found = found && matched == digits.size();
        }
        return !found;
    });
    return found;
}

void FindPendingRecords(const PendingLeaves &pending, const ItemKind *kinds, const QStringView *titles,
                        std::optional<PendingRecord> *found, int count)
{
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        found[i].reset();
        missing += titles[i].isEmpty() ? 0 : 1;
    }
    if (missing == 0)
        return;
    LineScan::Fields fields;
    forEachRecord(pending, [&](const Record &r) {
        bool split = false;
        for (int i = 0; i < count; ++i) {
            if (kinds[i] != r.kind || found[i] || titles[i].isEmpty())
                continue;
            if (!split && !headerFields(r, fields))
                return true;
            split = true;
            const LineScan::Field t = fields[0];
            const qsizetype n = t.end - t.begin;
            bool same;
            if (!mayBeEscaped(t) && LineScan::IsAscii(t.begin, n))
                same = n == titles[i].size() && QLatin1StringView(t.begin, n) == titles[i];
            else
                same = pending.source->FieldValue(t.begin, t.end) == titles[i];
            if (same) {
                PendingRecord &record = found[i].emplace();
                record.source = pending.source.get();
                record.kind = r.kind;
                std::copy_n(fields.constData(), std::size(record.header), record.header);
                record.data = r.data;
                record.dataEnd = r.dataEnd;
                --missing;
            }
        }
        return missing > 0;
    });
}
