#pragma once

#include <QString>
#include <QStringList>

// The fixed column names through which items export and import their fields.
const QStringList &CsvColumnNames();
// The column's name as the vocabulary writes it (case-insensitive match), or empty.
QString CanonicalCsvColumn(const QString &name);
