#pragma once

#include "exchange/csvcolumns.h"

class CsvRow;
struct PendingRecord;

// The GetFieldCSV cell of a column, read from a waiting leaf record of a contact kind
// (address, phone, fax, e-mail, website) as the item it becomes would give it. False,
// with nothing written, when that kind has no such column: a CSV export of a large
// database then makes no item of the records it reads.
bool PendingFieldCSV(PendingRecord &record, CsvColumn column, CsvRow &row);
