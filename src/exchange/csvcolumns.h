#pragma once

#include <QString>
#include <QStringList>

// The fixed column names through which items export and import their fields.
const QStringList &CsvColumnNames();
// The column's name as the vocabulary writes it (case-insensitive match), or empty.
QString CanonicalCsvColumn(const QString &name);

#include "store/kinds.h"

#include <vector>

// The record types a CSV file is written or read as, with the columns each one offers,
// in the order the wizards list them.
struct CsvRecordType
{
    const char *name;
    ItemKind kind;
    QStringList columns;
};
const std::vector<CsvRecordType> &CsvRecordTypes();
