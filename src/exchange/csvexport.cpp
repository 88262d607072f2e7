#include "csvexport.h"

#include "csvcolumns.h"
#include "csvfields.h"
#include "orderedchunks.h"
#include "platform/commatext.h"
#include "store/recordfile.h"
#include "store/subtreeparts.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <array>
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
        // A container's row only reads the tree, which nobody changes until the export
        // ends: rows are made on two cores, a chunk of subtrees at a time.
        std::array<std::vector<SubtreePart>, kChunkSlots> chunks;
        SubtreeParts parts(node);
        MakeChunksInOrder(
            [&](size_t slot) { return parts.Take(chunks[slot]); },
            [&](size_t slot, QByteArray &out) {
                for (const SubtreePart &part : chunks[slot])
                    part.ForEachNode([&](const TTreeNode *n) {
                        const TZEBObject *item = n->Item();
                        if (item && item->Kind() == options.kind && !item->IsFilteredOut())
                            appendRow(*item, out, columns);
                    });
            },
            [&](QByteArrayView chunk) { sink.Bytes(chunk); });
    });
}
