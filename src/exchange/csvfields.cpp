#include "csvfields.h"

#include "store/fieldcodec.h"
#include "store/linescan.h"
#include "store/recordsource.h"

#include <cstring>

QString CsvCell(const QString &value)
{
    QString cell;
    cell.reserve(value.size() + 3);
    cell += u'"';
    for (const QChar c : value) {
        if (c == u'"')
            cell += u'"';
        cell += c;
    }
    cell += QLatin1String("\",");
    return cell;
}

std::optional<QString> CsvCellValue(const QString &cell)
{
    if (cell.size() < 3 || !cell.startsWith(u'"') || !cell.endsWith(QLatin1String("\",")))
        return std::nullopt;
    QString value;
    const QStringView inner = QStringView(cell).mid(1, cell.size() - 3);
    value.reserve(inner.size());
    for (qsizetype i = 0; i < inner.size(); ++i) {
        value += inner[i];
        if (inner[i] == u'"') {
            // Inside, a quote is always doubled.
            if (i + 1 >= inner.size() || inner[i + 1] != u'"')
                return std::nullopt;
            ++i;
        }
    }
    return value;
}

std::optional<QString> CsvValue(const QStringList &values, const QStringList &names, const QString &name)
{
    const qsizetype at = names.indexOf(name);
    if (at < 0)
        return std::nullopt;
    // A short record has an empty cell under the columns it lacks.
    return values.value(at);
}

void SetCsvValue(QStringList &values, QStringList &names, const QString &name, const QString &value)
{
    const qsizetype at = names.indexOf(name);
    if (at < 0) {
        while (values.size() < names.size())
            values.append(QString());
        names.append(name);
        values.append(value);
        return;
    }
    while (values.size() <= at)
        values.append(QString());
    values[at] = value;
}

void CsvRow::quoted(const char *begin, const char *end)
{
    const qsizetype n = end - begin;
    if (n == 0 || !std::memchr(begin, '"', size_t(n))) {
        // The common cell: its bytes between the quotes, in one step.
        const qsizetype at = m_out.size();
        m_out.resize(at + n + 3);
        char *to = m_out.data() + at;
        *to++ = '"';
        if (n > 0)
            std::memcpy(to, begin, size_t(n));
        to += n;
        *to++ = '"';
        *to = ',';
        return;
    }
    AppendBytes(m_out, "\"");
    for (const char *p = begin; p < end;) {
        const char *quote = static_cast<const char *>(std::memchr(p, '"', size_t(end - p)));
        const char *stop = quote ? quote + 1 : end;
        AppendBytes(m_out, p, stop - p);
        if (quote)
            AppendBytes(m_out, "\""); // doubled
        p = stop;
    }
    AppendBytes(m_out, "\",");
}

void CsvRow::Cell(QStringView value)
{
    AppendBytes(m_out, "\"");
    const qsizetype start = m_out.size();
    AppendUtf8(m_out, value);
    if (!std::memchr(m_out.constData() + start, '"', size_t(m_out.size() - start))) {
        AppendBytes(m_out, "\",");
        return;
    }
    const QByteArray bytes = m_out.mid(start);
    m_out.truncate(start - 1);
    quoted(bytes.constBegin(), bytes.constEnd());
}

void CsvRow::Field(const RecordSource &source, const char *begin, const char *end)
{
    // A field in UTF-8 is its own cell's bytes; an escaped one or one in Windows-1252 is
    // decoded first.
    const bool plain = begin == end || (*begin != '~' && (LineScan::IsAscii(begin, end - begin) ||
                                                          source.LineIsUtf8(begin, end)));
    if (plain)
        quoted(begin, end);
    else
        Cell(source.FieldValue(begin, end));
}

void CsvRow::Cells(QStringView cells) { AppendUtf8(m_out, cells); }

QString CsvRow::Text() const { return QString::fromUtf8(m_out.constData() + m_start, m_out.size() - m_start); }

bool CsvRow::End()
{
    if (m_out.size() == m_start)
        return false;
    m_out.chop(1);
    AppendBytes(m_out, "\r\n");
    return true;
}
