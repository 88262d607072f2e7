#include "recordsource.h"

#include "fieldcodec.h"
#include "linescan.h"
#include "recordfile.h"
#include "platform/textcodec.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <unistd.h>

#include <iterator>
#include <sys/mman.h>
#include <sys/stat.h>

void RecordSource::ReleasePages(const char *begin, const char *end) const
{
    if (!mapped)
        return;
    static const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE) > 0 ? sysconf(_SC_PAGESIZE) : 4096);
    const auto base = reinterpret_cast<std::uintptr_t>(mapped->base);
    const std::uintptr_t from = std::max(reinterpret_cast<std::uintptr_t>(begin), base);
    const std::uintptr_t to = std::min(reinterpret_cast<std::uintptr_t>(end), base + mapped->length);
    const std::uintptr_t first = (from + page - 1) / page * page;
    const std::uintptr_t last = to / page * page;
    if (first < last)
        madvise(reinterpret_cast<void *>(first), last - first, MADV_DONTNEED);
}

RecordSource::Mapping::~Mapping()
{
    if (base)
        ::munmap(base, length);
}

quint64 RecordSource::nextSerial()
{
    static std::atomic<quint64> serial{0};
    return ++serial;
}

bool RecordSource::LineIsUtf8(qsizetype begin, qsizetype end) const
{
    // The line last looked at, kept by each thread: the fields of one line are decoded
    // one after the other, and an export reads the lines of one source on two threads.
    struct LastLine
    {
        quint64 source = 0;
        qsizetype begin = -1;
        qsizetype end = -1;
        bool utf8 = true;
    };
    thread_local LastLine last;
    if (last.source == m_serial && begin >= last.begin && end <= last.end)
        return last.utf8;
    const char *data = bytes.constData();
    qsizetype from = begin;
    while (from > 0 && data[from - 1] != '\n' && data[from - 1] != '\r')
        --from;
    const qsizetype to = LineScan::FindLineEnd(data + end, data + bytes.size()) - data;
    last = LastLine{m_serial, from, to, isValidUtf8(data + from, to - from)};
    return last.utf8;
}

QString RecordSource::Text(qsizetype begin, qsizetype end) const
{
    const char *p = bytes.constData() + begin;
    const qsizetype n = end - begin;
    if (LineScan::IsAscii(p, n))
        return QString::fromLatin1(p, n);
    return decodeLinePart(p, n, LineIsUtf8(begin, end));
}

QString RecordSource::FieldValue(const char *begin, const char *end, FieldPool *pool) const
{
    const qsizetype n = end - begin;
    if (pool && n > 0 && *begin != '~' && LineScan::IsAscii(begin, n))
        return pool->Take(ShortText(*this, begin, end).View());
    QString text = Text(begin, end);
    if (text.startsWith(u'~'))
        return DecodeField(text);
    return text;
}

qint32 CategoriesAt(const RecordSource &source, const LineScan::Fields &fields, qsizetype index)
{
    int categories = 0;
    return index < fields.size() && ParseInt(ShortText(source, fields[index].begin, fields[index].end).View().trimmed(),
                                             categories)
               ? categories
               : 0;
}

ShortText::ShortText(const RecordSource &source, const char *begin, const char *end)
{
    const qsizetype n = end - begin;
    if (n <= qsizetype(std::size(m_buffer)) && LineScan::IsAscii(begin, n)) {
        for (qsizetype i = 0; i < n; ++i)
            m_buffer[i] = char16_t(uchar(begin[i]));
        m_view = QStringView(m_buffer, n);
    } else {
        m_text = source.Text(begin, end);
        m_view = m_text;
    }
}

namespace {
// Maps a large file and starts copying it on another core; none when it cannot.
std::shared_ptr<RecordSource> mappedSource(QFile &file, qint64 size, bool keepMapped)
{
    constexpr qint64 kWorthIt = qint64(4) << 20;
    if (size < kWorthIt || file.handle() < 0)
        return nullptr;
    void *base = ::mmap(nullptr, size_t(size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.handle(), 0);
    if (base == MAP_FAILED)
        return nullptr;
    auto source = std::make_shared<RecordSource>();
    source->mapped = std::make_unique<RecordSource::Mapping>();
    source->mapped->base = base;
    source->mapped->length = size_t(size);
    struct stat now{};
    if (::fstat(file.handle(), &now) != 0 || now.st_size != size)
        return nullptr; // changing under us: read the plain way
    const char *from = static_cast<const char *>(base);
    source->bytes = QByteArray::fromRawData(from, size);
    source->keepMapped = keepMapped;
    if (keepMapped)
        return source;
    try {
        source->copy = std::async(std::launch::async, [from, size] { return QByteArray(from, size); });
    } catch (const std::system_error &) {
        // No thread to spare: FinishCopy copies.
    }
    return source;
}
} // namespace

void RecordSource::FinishCopy() noexcept
{
    if (!mapped || keepMapped)
        return;
    // Runs as a read ends, however it ends: without memory for a copy the file
    // simply stays mapped.
    try {
        bytes = copy.valid() ? copy.get() : QByteArray(bytes.constData(), bytes.size());
        mapped.reset();
    } catch (const std::exception &) {
    }
}

std::shared_ptr<RecordSource> ReadRecordSource(QFile &file, bool keepMapped)
{
    // No more than the file held when it was opened: a file that keeps growing is
    // read as it was then.
    const qint64 size = file.size();
    if (auto source = mappedSource(file, size, keepMapped))
        return source;
    auto source = std::make_shared<RecordSource>();
    source->bytes.resize(size);
    qint64 got = 0;
    while (got < size) {
        const qint64 n = file.read(source->bytes.data() + got, size - got);
        if (n <= 0)
            throw EInOutError(QStringLiteral("Cannot read the file: %1")
                                  .arg(n < 0 ? file.errorString() : QStringLiteral("it became shorter while it was read")));
        got += n;
    }
    return source;
}
