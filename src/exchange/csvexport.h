#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class RecordSink;
class TTreeNode;
class TZEBObject;

// The program-wide column list of a CSV export: column names, then the kind code.
QStringList &ExportColumns();
// "Include field names as first line" of the publishing wizard.
bool &IncludeFieldNames();

// The item's line: its GetFieldCSV cell for every column (all entries but the last), the
// final comma dropped; nothing when no column gives a cell.
std::optional<QString> CsvLine(const TZEBObject &item, const QStringList &columns);
// The item's line when it is of the export's kind (the last entry of columns), else the
// lines of its own children of that kind.
void WriteCSVRow(const TZEBObject &item, RecordSink &file, const QStringList &columns);
// The subtree's items of the export's kind as CSV lines, after the column names when
// IncludeFieldNames() is set. The column list serves one export and is cleared after it.
void ExportCsv(TTreeNode *node, const QString &fileName);
