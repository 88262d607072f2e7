#include "csvexport.h"

#include "csvcolumns.h"
#include "csvfields.h"
#include "orderedchunks.h"
#include "platform/commatext.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <algorithm>
#include <vector>


std::optional<QString> CsvLine(const TZEBObject &item, const QStringList &columns)
{
    QByteArray bytes;
    CsvRow row(bytes);
    item.AppendCSVCells(CsvColumns(columns), row);
    const QString cells = row.Text();
    if (cells.isEmpty())
        return std::nullopt;
    return cells.chopped(1);
}

namespace {
// Rows go to the file in blocks of this size.
constexpr qsizetype kBlock = 1 << 18;

void appendRow(const TZEBObject &item, QByteArray &out, const CsvColumns &columns)
{
    CsvRow row(out);
    item.AppendCSVCells(columns, row);
    row.End();
}

void appendRows(const TZEBObject &item, QByteArray &out, const CsvExportOptions &options, const CsvColumns &columns)
{
    if (item.Kind() != options.kind) {
        // No leaf is of a container kind: a person's leaf records stay in the file.
        if (IsContainerKind(options.kind))
            return;
        // Leaf items hold no children of their own, so this goes one level down only.
        for (int i = 0; i < item.ChildCount(); ++i)
            appendRows(*item.ChildAt(i), out, options, columns);
        return;
    }
    appendRow(item, out, columns);
}
} // namespace

void WriteCSVRow(const TZEBObject &item, RecordSink &file, const CsvExportOptions &options)
{
    if (options.columns.isEmpty())
        return;
    QByteArray rows;
    appendRows(item, rows, options, CsvColumns(options.columns));
    file.Bytes(rows);
}

void ExportCsv(TTreeNode *node, const QString &fileName, const CsvExportOptions &options)
{
    WriteWholeFile(fileName, [&](RecordSink &sink) {
        if (options.includeFieldNames && !options.columns.isEmpty())
            sink.Line(joinCommaText(options.columns)); // names with a blank go in quotes
        if (options.columns.isEmpty())
            return;
        const CsvColumns columns(options.columns);
        if (!IsContainerKind(options.kind)) {
            // Leaf items are made from their records as they are asked for: one thread.
            QByteArray rows;
            rows.reserve(kBlock + (kBlock >> 2));
            ForEachShownNode(node, [&](TTreeNode *n, int) {
                appendRows(*n->Item(), rows, options, columns);
                if (rows.size() >= kBlock) {
                    sink.Bytes(rows);
                    rows.truncate(0);
                }
            });
            sink.Bytes(rows);
            return;
        }
        std::vector<const TZEBObject *> items;
        ForEachShownNode(node, [&](TTreeNode *n, int) {
            if (n->Item()->Kind() == options.kind)
                items.push_back(n->Item());
        });
        // A container's row only reads the tree, which nobody changes until the export
        // ends: the rows are made on two cores, a chunk of items at a time.
        constexpr size_t kChunk = 256;
        MakeChunksInOrder(
            (items.size() + kChunk - 1) / kChunk,
            [&](size_t chunk, QByteArray &out) {
                const size_t end = std::min(items.size(), (chunk + 1) * kChunk);
                for (size_t i = chunk * kChunk; i < end; ++i)
                    appendRow(*items[i], out, columns);
            },
            [&](QByteArrayView chunk) { sink.Bytes(chunk); });
    });
}
