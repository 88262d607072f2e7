#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

struct RecordSource;

// One exported CSV cell: the value in double quotes followed by a comma. Quotes inside
// the value are doubled, so a value holding a quote still reads back as one cell.
QString CsvCell(const QString &value);
// Cells as CsvCell makes them, written straight into the UTF-8 bytes of a file: an export
// of many thousand rows makes no text of its own per cell.
class CsvRow
{
public:
    // Appends to out.
    explicit CsvRow(QByteArray &out) : m_out(out), m_start(out.size()) {}
    // A cell of the value.
    void Cell(QStringView value);
    // A cell of a field where it lies in a record file (decoded as a load decodes it).
    void Field(const RecordSource &source, const char *begin, const char *end);
    // Cells made already (GetFieldCSV's text), taken as they stand.
    void Cells(QStringView cells);
    // The cells so far, as GetFieldCSV gives them.
    QString Text() const;
    // Ends the line: the final comma goes and CR LF follows. False, and the row is taken
    // back, when no column gave a cell.
    bool End();

private:
    void quoted(const char *begin, const char *end);
    QByteArray &m_out;
    qsizetype m_start;
};

// The value of a cell CsvCell made; nothing for any other text.
std::optional<QString> CsvCellValue(const QString &cell);

// The cell of an imported record under the exact column name, or nothing when the
// record has no such column (the first column of that name wins).
std::optional<QString> CsvValue(const QStringList &values, const QStringList &names, const QString &name);

// Sets the cell of the named column; adds the column when the record has none.
void SetCsvValue(QStringList &values, QStringList &names, const QString &name, const QString &value);
