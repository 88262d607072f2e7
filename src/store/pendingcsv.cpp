#include "pendingcsv.h"

#include "kindtable.h"
#include "linescan.h"
#include "pendingleaves.h"
#include "exchange/csvfields.h"

#include <optional>

namespace {

// Where a column's value lies: a header field (0 title, 1 value, 2 comment) or a field
// of the data line after the kind's tag.
struct FieldAt
{
    bool inHeader;
    int index;
};

std::optional<FieldAt> fieldAt(ItemKind kind, CsvColumn column)
{
    CsvColumn valueColumn = CsvColumn::Other;
    switch (kind) {
    case ItemKind::Address:
        // The street lines, city, state, postal code and country, in data line order.
        if (column >= CsvColumn::AddressLine1 && column <= CsvColumn::Country)
            return FieldAt{false, int(column) - int(CsvColumn::AddressLine1)};
        break;
    case ItemKind::Phone:
        if (column == CsvColumn::Extension)
            return FieldAt{false, 0};
        valueColumn = CsvColumn::PhoneNumber;
        break;
    case ItemKind::Fax: valueColumn = CsvColumn::FaxNumber; break;
    case ItemKind::EMail: valueColumn = CsvColumn::EMailAddress; break;
    case ItemKind::Website: valueColumn = CsvColumn::Website; break;
    default: return std::nullopt;
    }
    if (column == CsvColumn::Title)
        return FieldAt{true, 0};
    if (column == valueColumn && column != CsvColumn::Other)
        return FieldAt{true, 1};
    if (column == CsvColumn::Comment)
        return FieldAt{true, 2};
    return std::nullopt;
}

} // namespace

bool PendingFieldCSV(PendingRecord &record, CsvColumn column, CsvRow &row)
{
    const std::optional<FieldAt> at = fieldAt(record.kind, column);
    if (!at)
        return false;
    if (at->inHeader) {
        const LineScan::Field &f = record.header[at->index];
        row.Field(*record.source, f.begin, f.end);
        return true;
    }
    if (!record.dataSplit) {
        // A data line of another tag gives the item no fields: empty cells.
        record.dataSplit = true;
        // The tag read where the kind table keeps it: no text made for each record.
        const KindInfo *info = FindKind(record.kind);
        const QByteArrayView tag = info ? QByteArrayView(info->tag) : QByteArrayView();
        if (record.dataEnd - record.data >= tag.size() && QByteArrayView(record.data, tag.size()) == tag)
            LineScan::SplitFields(record.data + tag.size(), record.dataEnd, record.dataFields);
    }
    if (at->index < record.dataFields.size())
        row.Field(*record.source, record.dataFields[at->index].begin, record.dataFields[at->index].end);
    else
        row.Cell({});
    return true;
}
