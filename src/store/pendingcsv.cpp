#include "pendingcsv.h"

#include "kindtable.h"
#include "linescan.h"
#include "pendingleaves.h"
#include "exchange/csvfields.h"

#include <cstring>
#include <iterator>

namespace {

// Where a column's value lies: a header field (0 title, 1 value, 2 comment) or a field
// of the data line after the kind's tag.
struct ColumnField
{
    const char *column;
    bool inHeader;
    int index;
};

constexpr ColumnField kAddress[] = {
    {"Title", true, 0},          {"Address Line 1", false, 0}, {"Address Line 2", false, 1},
    {"Address Line 3", false, 2}, {"City", false, 3},           {"State/Province", false, 4},
    {"Postal Code", false, 5},    {"Country", false, 6},        {"Comment", true, 2},
};
constexpr ColumnField kPhone[] = {{"Title", true, 0}, {"Phone Number", true, 1}, {"Comment", true, 2}, {"Extension", false, 0}};
constexpr ColumnField kFax[] = {{"Title", true, 0}, {"Fax Number", true, 1}, {"Comment", true, 2}};
constexpr ColumnField kEMail[] = {{"Title", true, 0}, {"E-Mail Address", true, 1}, {"Comment", true, 2}};
constexpr ColumnField kWebsite[] = {{"Title", true, 0}, {"Website", true, 1}, {"Comment", true, 2}};

template <size_t N>
const ColumnField *find(const ColumnField (&fields)[N], const QString &column)
{
    for (const ColumnField &f : fields)
        if (column == QLatin1String(f.column))
            return &f;
    return nullptr;
}

const ColumnField *columnField(ItemKind kind, const QString &column)
{
    switch (kind) {
    case ItemKind::Address: return find(kAddress, column);
    case ItemKind::Phone: return find(kPhone, column);
    case ItemKind::Fax: return find(kFax, column);
    case ItemKind::EMail: return find(kEMail, column);
    case ItemKind::Website: return find(kWebsite, column);
    default: return nullptr;
    }
}

} // namespace

bool PendingFieldCSV(const PendingRecord &record, const QString &column, CsvRow &row)
{
    const ColumnField *at = columnField(record.kind, column);
    if (!at)
        return false;
    if (at->inHeader) {
        const LineScan::Field &f = record.header[at->index];
        row.Field(*record.source, f.begin, f.end);
        return true;
    }
    // A data line of another tag gives the item no fields: empty cells.
    const QString tag = KindTag(record.kind);
    const qsizetype n = record.dataEnd - record.data;
    LineScan::Fields fields;
    if (n >= tag.size() && QLatin1StringView(record.data, tag.size()) == tag)
        LineScan::SplitFields(record.data + tag.size(), record.dataEnd, fields);
    if (at->index < fields.size())
        row.Field(*record.source, fields[at->index].begin, fields[at->index].end);
    else
        row.Cell({});
    return true;
}
