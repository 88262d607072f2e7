#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// One exported CSV cell: the value in double quotes followed by a comma. Quotes inside
// the value are doubled, so a value holding a quote still reads back as one cell.
QString CsvCell(const QString &value);
// The value of a cell CsvCell made; nothing for any other text.
std::optional<QString> CsvCellValue(const QString &cell);

// The cell of an imported record under the exact column name, or nothing when the
// record has no such column (the first column of that name wins).
std::optional<QString> CsvValue(const QStringList &values, const QStringList &names, const QString &name);

// Sets the cell of the named column; adds the column when the record has none.
void SetCsvValue(QStringList &values, QStringList &names, const QString &name, const QString &value);
