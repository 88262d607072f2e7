#include "csvexport.h"

#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QScopeGuard>

QStringList &ExportColumns()
{
    static QStringList columns;
    return columns;
}

bool &IncludeFieldNames()
{
    static bool include = true;
    return include;
}

std::optional<QString> CsvLine(const TZEBObject &item, const QStringList &columns)
{
    QString s;
    for (qsizetype i = 0; i + 1 < columns.size(); ++i)
        s += item.GetFieldCSV(columns.at(i));
    if (s.isEmpty())
        return std::nullopt;
    s.chop(1);
    return s;
}

void WriteCSVRow(const TZEBObject &item, RecordSink &file, const QStringList &columns)
{
    if (columns.isEmpty())
        return;
    if (item.Kind() != columns.back().toInt()) {
        // Leaf items hold no children of their own, so this goes one level down only.
        for (int i = 0; i < item.ChildCount(); ++i)
            WriteCSVRow(*item.ChildAt(i), file, columns);
        return;
    }
    if (const auto line = CsvLine(item, columns))
        file.Line(*line);
}

void ExportCsv(TTreeNode *node, const QString &fileName)
{
    const auto clearColumns = qScopeGuard([] { ExportColumns().clear(); });
    const QStringList &columns = ExportColumns();
    WriteWholeFile(fileName, [&](RecordSink &sink) {
        if (IncludeFieldNames() && !columns.isEmpty())
            sink.Line(columns.mid(0, columns.size() - 1).join(u','));
        ForEachShownNode(node, [&](TTreeNode *n, int) { WriteCSVRow(*n->Item(), sink, columns); });
    });
}
