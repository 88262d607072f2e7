#pragma once

#include "store/kinds.h"

#include <QString>
#include <QStringList>
#include <optional>

class RecordSink;
class TTreeNode;
class TZEBObject;

// What one CSV export writes, as the publishing wizard or the mira tool sets it: the
// items of one kind, a cell for each column name, and the names as the first line
// ("Include field names as first line").
struct CsvExportOptions
{
    ItemKind kind = ItemKind::Folder;
    QStringList columns;
    bool includeFieldNames = true;
};

// The item's line: its GetFieldCSV cell for every column, the final comma dropped;
// nothing when no column gives a cell.
std::optional<QString> CsvLine(const TZEBObject &item, const QStringList &columns);
// The item's line when it is of the export's kind, else the lines of its own children
// of that kind.
void WriteCSVRow(const TZEBObject &item, RecordSink &file, const CsvExportOptions &options);
// The subtree's items of the export's kind as CSV lines, after the column names when asked.
void ExportCsv(TTreeNode *node, const QString &fileName, const CsvExportOptions &options);
