#include "csvimport.h"

#include "csvpresets.h"
#include "delimitedtext.h"

#include "store/itemfactory.h"
#include "store/recordfile.h"
#include "store/treenodes.h"
#include "store/zebobject.h"

#include <QFileInfo>
#include <QScopeGuard>

DelimitedHead ReadDelimitedHead(const QString &fileName, QChar separator)
{
    DelimitedHead head;
    head.firstRecord = FirstDelimitedRecord(ImportText::ReadText(fileName), separator);
    head.preset = PresetForHeader(head.firstRecord);
    head.header = head.preset >= 0;
    return head;
}

ImportNotes ImportDelimited(TTreeNode *target, const QString &fileName, const DelimitedImportOptions &options)
{
    ImportNotes notes;
    if (!QFileInfo::exists(fileName))
        return notes;
    if (const TZEBObject *owner = target->Item(); owner && (owner->IsRemote() || owner->InRemote()))
        throw ERemoteParent();
    const DelimitedRecords read = ParseDelimited(ImportText::ReadText(fileName), options.separator);

    qsizetype first = 0;
    CsvColumnMap map = CsvColumnMap::ByPosition(options.fields);
    if (!read.records.isEmpty()) {
        const QStringList &top = read.records.front();
        const int fitting = PresetForHeader(top);
        const bool header = options.header == DelimitedImportOptions::Header::Yes ||
                            (options.header == DelimitedImportOptions::Header::Detect && fitting >= 0);
        if (header) {
            first = 1;
            const int preset = options.preset >= 0 && options.preset < int(CsvPresets().size()) ? options.preset : fitting;
            if (!options.fieldsOverHeader && preset >= 0)
                map = CsvColumnMap::ByHeader(top, CsvPresets()[size_t(preset)]);
        }
    }
    if (map.Names().isEmpty()) {
        notes.problems << QStringLiteral("no column of the file is one the program imports");
        return notes;
    }

    TTreeNodes *nodes = target->Owner();
    nodes->BeginUpdate();
    const auto update = qScopeGuard([nodes] { nodes->EndUpdate(); });
    for (qsizetype i = first; i < read.records.size(); ++i) {
        TZEBObject *item = CreateItem(options.kind, QStringLiteral("New"), {}, {}, target, {}, 0);
        QStringList values = map.Values(read.records.at(i));
        QStringList names = map.Names();
        // Without a title column a person is titled with its name, not "New".
        if (options.kind == ItemKind::Person && !names.contains(QLatin1String("Title"))) {
            names << QStringLiteral("Title");
            values << QString();
        }
        if (item->ImportFields(values, names)) {
            ++notes.made;
        } else {
            DiscardItem(item);
            notes.Skip(read.lines.at(i));
        }
    }
    if (read.unclosedQuote)
        notes.problems << QStringLiteral("the record at line %1 opens a quote that the file never closes, so it and "
                                         "the rest of the file were not imported")
                              .arg(read.unclosedLine);
    return notes;
}
