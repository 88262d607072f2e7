#pragma once

#include "kinds.h"
#include "linescan.h"

#include <QtGlobal>
#include <memory>

struct RecordSource;

// One record as the file holds it: where it starts, its header, and its data line.
struct Record
{
    enum class Got { Record, Root, Dropped, End };
    Got got = Got::End;
    int line = 0; // of the header
    qsizetype start = 0;
    int level = 0;
    ItemKind kind = ItemKind::Folder;
    bool container = false;
    bool cutOff = false; // the file ends before its data line
    LineScan::Field fields[4]; // a container's header fields; a leaf's are read when it is made
    qsizetype dataStart = 0;
    qsizetype dataEnd = 0;
    qsizetype end = 0; // after its last line
};

// The records of a record file one after the other, from startAt (line firstLine). Those
// of a large file are read ahead on another core, a batch at a time, while the caller
// places the ones before. A header that is not "{" level kind "}" and four fields is
// dropped without a data line; one whose numbers are not numbers ends the read.
class RecordStream
{
public:
    // Without readAhead, every record is read on the caller's thread: for a caller
    // whose own threads keep the other core busy.
    RecordStream(const RecordSource &source, qsizetype startAt, int firstLine, bool readAhead = true);
    ~RecordStream();
    RecordStream(const RecordStream &) = delete;
    RecordStream &operator=(const RecordStream &) = delete;
    // The next record; one that Got End at the end. What stopped the reading (a header's
    // numbers that are no numbers) is raised once the records before it were taken.
    const Record &Next();

private:
    struct Work;
    std::unique_ptr<Work> m_work;
};
