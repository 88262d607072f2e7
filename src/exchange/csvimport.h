#pragma once

#include "importtext.h"

#include "store/kinds.h"

#include <QChar>
#include <QString>
#include <QStringList>

class TTreeNode;

// What a comma- or tab-separated file holds at its top, for choosing how to read it.
struct DelimitedHead
{
    QStringList firstRecord;
    // The first record names columns (IsHeaderRecord).
    bool header = false;
    // The preset that reads it (PresetForHeader), -1 when none.
    int preset = -1;
};
DelimitedHead ReadDelimitedHead(const QString &fileName, QChar separator);

struct DelimitedImportOptions
{
    // The record type: person, organization, website, address, phone, e-mail or fax.
    ItemKind kind = ItemKind::Person;
    QChar separator = u',';
    // The wizard's "Fields to Import (in order)": column i of a record is fields[i].
    QStringList fields;
    enum class Header { Detect, Yes, No };
    // Whether the first record is a header (and so no item); Detect asks IsHeaderRecord.
    Header header = Header::Detect;
    // With a header: the preset whose names read it (-1: the one that fits, else the fields).
    // Without one, or when no preset fits, the fields are used.
    int preset = -1;
    // The header is only passed over and the fields are used by position.
    bool fieldsOverHeader = false;
};

// Makes an item of the record type in target from every record; records that do not fill
// one (ImportFields is false) are taken out again and counted. A missing file does nothing;
// one that cannot be read raises EInOutError before anything is made, a read-only target
// ERemoteParent.
ImportNotes ImportDelimited(TTreeNode *target, const QString &fileName, const DelimitedImportOptions &options);
