#pragma once

#include <QtGlobal>
#include <memory>

class QFile;
class TTreeNode;
struct RecordSource;

// The whole of an open file. Raises EInOutError when it cannot be read to its end: a
// shorter file must not pass for the whole one.
std::shared_ptr<RecordSource> ReadRecordSource(QFile &file);

// Reads the records of source from startAt (line firstLine) into the tree below
// ownerNode. Containers become items at once; leaf records wait in their owner until
// its children are first asked for.
void ReadRecords(const std::shared_ptr<RecordSource> &source, qsizetype startAt, int firstLine,
                 TTreeNode *ownerNode);
