#pragma once

#include "kinds.h"
#include "linescan.h"

#include <QDate>
#include <QString>
#include <QVarLengthArray>
#include <memory>
#include <optional>
#include <vector>

class FieldPool;
class RecordSink;
class TZEBObject;
class WordStart;
struct RecordSource;

// Leaf records of one container that become items when first asked for: a load of a
// large database only steps over their lines, and most are never looked at in a session.
struct PendingLeaves
{
    // Whole records, from the header's "{" to past the end of the data line.
    struct Span
    {
        qsizetype begin;
        qsizetype end;
    };
    std::shared_ptr<const RecordSource> source;
    QVarLengthArray<Span, 1> spans;
    // Due reminders among them, already counted in the alert marks of the containers above.
    int dueReminders = 0;
};

// Their items in file order, each with the data line it reads once placed (see
// LoadPlacedFields); records whose header does not hold four fields are passed over,
// as a load passes over them. Repeated texts are shared through pool when given.
struct PendingItem
{
    std::unique_ptr<TZEBObject> item;
    QString dataLine;
};
std::vector<PendingItem> MakePendingItems(const PendingLeaves &pending, FieldPool *pool);

// How many of them are reminders due on today, as a load counts them.
int CountDueReminders(const PendingLeaves &pending, const QDate &today);

// Writes them as records of the given level, as their items would write themselves
// (unchanged fields and data lines, in UTF-8). Returns false, having written nothing,
// when an item would write something else: a record without a usable Id is given
// one when it is made.
bool WritePendingRecords(const PendingLeaves &pending, RecordSink &sink, int level);

// Searches of the waiting records where they lie, so a find through the whole tree makes
// no item of them. Each answers as a search of the made items would.
// Whether a record's title has a word starting with the key.
bool PendingHasWordStart(const PendingLeaves &pending, const WordStart &key);
// Whether a phone or fax record's number holds exactly these digits (none: no).
bool PendingHasNumber(const PendingLeaves &pending, QStringView digits);

// A waiting record where it lies: its kind, the title, value and comment fields of its
// header, and its data line.
struct PendingRecord
{
    // Made for a record found, many thousand times in an export: the field arrays are
    // left as they are rather than cleared first.
    PendingRecord() {}
    const RecordSource *source = nullptr;
    ItemKind kind = ItemKind::Folder;
    LineScan::Field header[3];
    const char *data = nullptr;
    const char *dataEnd = nullptr;
    // The fields of the data line after the kind's tag, split when first needed; none
    // for a line of another tag.
    LineScan::Fields dataFields;
    bool dataSplit = false;
};
// found[i]: the first waiting record of kinds[i] titled exactly titles[i], as FindChild
// finds the item it becomes (none for an empty title), i below count, all in one pass
// over the records.
void FindPendingRecords(const PendingLeaves &pending, const ItemKind *kinds, const QStringView *titles,
                        std::optional<PendingRecord> *found, int count);
