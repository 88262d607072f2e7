#pragma once

#include "linescan.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <future>
#include <memory>

class FieldPool;
class QFile;

// The bytes of a record file, kept while some of its leaf records wait to become items.
struct RecordSource
{
    QByteArray bytes;
    // Records this program made in this run as a save writes them: CR LF, UTF-8, the
    // program's own heads, each with its Id. A save copies their waiting leaves as they
    // stand once their level is the one it writes.
    bool madeAsSaved = false;
    // Whether the line around [begin, end) is valid UTF-8; a line that is not is read as
    // Windows-1252. Found out when first asked: lines of plain ASCII never need to know.
    // Safe to ask from several threads at once.
    bool LineIsUtf8(qsizetype begin, qsizetype end) const;
    bool LineIsUtf8(const char *begin, const char *end) const
    {
        return LineIsUtf8(begin - bytes.constData(), end - bytes.constData());
    }
    // A file mapped where the system keeps it.
    struct Mapping
    {
        void *base = nullptr;
        size_t length = 0;
        ~Mapping();
    };
    // A large file is read where the system keeps it while a copy of its own is made on
    // another core (copy); FinishCopy moves bytes to the copy and lets the file go, so a
    // file that another program shortens later cannot take the pages from under us.
    std::unique_ptr<Mapping> mapped;
    // Lets the system take back the pages of the mapped file wholly inside [begin, end),
    // which nothing will read soon: read again, they come back from the file as they were.
    // Nothing happens for bytes of any other memory.
    void ReleasePages(const char *begin, const char *end) const;
    bool keepMapped = false;
    std::future<QByteArray> copy;
    void FinishCopy() noexcept;

    QString Text(qsizetype begin, qsizetype end) const;
    QString Text(const char *begin, const char *end) const { return Text(begin - bytes.constData(), end - bytes.constData()); }
    // A field's value: its text, decoded when it was written escaped; shared through
    // the pool when one is given.
    QString FieldValue(const char *begin, const char *end, FieldPool *pool = nullptr) const;

private:
    // Tells this source's lines apart from those of any other in the line each thread
    // looked at last.
    const quint64 m_serial = nextSerial();
    static quint64 nextSerial();
};

// Short text of a record file seen as UTF-16 where it can be without allocating: numbers,
// rules and other small fields a load only looks at.
class ShortText
{
public:
    ShortText(const RecordSource &source, const char *begin, const char *end);
    QStringView View() const { return m_view; }

private:
    char16_t m_buffer[160];
    QString m_text;
    QStringView m_view;
};

// The number of field index of a data line where it lies in the file (its categories), 0
// when there is none or it is no number.
qint32 CategoriesAt(const RecordSource &source, const LineScan::Fields &fields, qsizetype index);

// The whole of an open regular file, as long as it was when opened. Raises EInOutError
// when it cannot be read to that end: a shorter file must not pass for the whole one.
// keepMapped: a large file stays mapped for good, with no copy made (see
// DatabaseContext::KeepsFilesMapped).
std::shared_ptr<RecordSource> ReadRecordSource(QFile &file, bool keepMapped = false);
