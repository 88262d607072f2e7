#include "csvexport.h"

#include "platform/commatext.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"


std::optional<QString> CsvLine(const TZEBObject &item, const QStringList &columns)
{
    QString s;
    for (const QString &column : columns)
        s += item.GetFieldCSV(column);
    if (s.isEmpty())
        return std::nullopt;
    s.chop(1);
    return s;
}

void WriteCSVRow(const TZEBObject &item, RecordSink &file, const CsvExportOptions &options)
{
    if (options.columns.isEmpty())
        return;
    if (item.Kind() != options.kind) {
        // Leaf items hold no children of their own, so this goes one level down only.
        for (int i = 0; i < item.ChildCount(); ++i)
            WriteCSVRow(*item.ChildAt(i), file, options);
        return;
    }
    if (const auto line = CsvLine(item, options.columns))
        file.Line(*line);
}

void ExportCsv(TTreeNode *node, const QString &fileName, const CsvExportOptions &options)
{
    WriteWholeFile(fileName, [&](RecordSink &sink) {
        if (options.includeFieldNames && !options.columns.isEmpty())
            sink.Line(joinCommaText(options.columns)); // names with a blank go in quotes
        ForEachShownNode(node, [&](TTreeNode *n, int) { WriteCSVRow(*n->Item(), sink, options); });
    });
}
