#pragma once

#include <QString>
#include <QStringList>

#include "store/kinds.h"

#include <vector>

// The fixed column names through which items export and import their fields.
const QStringList &CsvColumnNames();
// The column's name as the vocabulary writes it (case-insensitive match), or empty.
QString CanonicalCsvColumn(const QString &name);

// The columns by their place in CsvColumnNames, for code that answers many rows.
enum class CsvColumn {
    Title, Salutation, FirstName, MiddleName, LastName, AddressLine1, AddressLine2, AddressLine3, City, State,
    PostalCode, Country, PhoneNumber, FaxNumber, EMailAddress, Website, Comment, Extension,
    Other // a name not in the list
};
// A column list with the place of each name looked up once (names as they are written).
struct CsvColumns
{
    explicit CsvColumns(const QStringList &names);
    QStringList names;
    std::vector<CsvColumn> ids;
};


// The record types a CSV file is written or read as, with the columns each one offers,
// in the order the wizards list them.
struct CsvRecordType
{
    const char *name;
    ItemKind kind;
    QStringList columns;
};
const std::vector<CsvRecordType> &CsvRecordTypes();
