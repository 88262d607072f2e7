#pragma once

#include "recordfile.h"

#include <QtGlobal>
#include <memory>

class TTreeNode;
struct RecordSource;

// Reads the records of source from startAt (line firstLine) into the tree below
// ownerNode. Containers become items at once; leaf records wait in their owner until
// its children are first asked for. Returns what the read took and passed over.
// readAhead as for RecordStream.
RecordFile::ReadNotes ReadRecords(const std::shared_ptr<RecordSource> &source, qsizetype startAt, int firstLine,
                 TTreeNode *ownerNode, bool readAhead = true);
