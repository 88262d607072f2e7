#include "cliprecords.h"

#include "errorreport.h"
#include "itemfactory.h"
#include "recordfile.h"
#include "treenodes.h"
#include "zebobject.h"

#include "platform/safefiles.h"

#include <QFile>

namespace {

const QString &clipFile() { return RecordFile::ClipboardFileName; }

QByteArray readBack()
{
    QFile file;
    QString why;
    if (SafeFiles::OpenForReading(file, clipFile(), &why) != SafeFiles::Opened::Yes)
        throw EInOutError(why);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read \"%1\": %2").arg(clipFile(), file.errorString()));
    return bytes;
}

QString unreadable(const QString &why)
{
    return QStringLiteral("The clipboard does not hold items Mirabook can read (%1). Nothing was pasted.").arg(why);
}

// Reads the bytes into a tree of their own first, so damage is found before the
// database is touched.
void checkRecords(const QByteArray &bytes)
{
    TTreeNodes scratch;
    TTreeNode *root = scratch.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
    RecordFile::ReadNotes notes;
    try {
        notes = ReadItems(bytes, 0, 1, root);
    } catch (const EInOutError &e) {
        throw EClipboardData(unreadable(e.Line() > 0 ? QStringLiteral("reading stopped at line %1").arg(e.Line()) : ErrorText(e)));
    }
    if (notes.droppedLines > 0)
        throw EClipboardData(unreadable(RecordFile::DroppedLinesText(notes)));
    if (notes.cutOffLine > 0)
        throw EClipboardData(unreadable(QStringLiteral("it ends inside the record at line %1").arg(notes.cutOffLine)));
    if (notes.records == 0)
        throw EClipboardData(unreadable(QStringLiteral("no records")));
}

} // namespace

namespace ClipRecords {

QByteArray CopyShownSubtree(TTreeNode *node)
{
    if (!node)
        return {};
    ExportSubtree(node, clipFile());
    return readBack();
}

QByteArray CopyItems(const QList<TZEBObject *> &items)
{
    WriteWholeFile(clipFile(), [&](RecordSink &sink) {
        for (const TZEBObject *item : items) {
            if (!item)
                continue;
            // The root too is written with everything below it.
            TTreeNode *node = item->Node();
            if (!node || node->Item() != item) {
                WriteItem(item, sink, 1);
                continue;
            }
            int depth = 0;
            for (TTreeNode *n = node; n && (n == node || depth > 0); n = n->NextPreorder(depth))
                WriteItem(n->Item(), sink, depth + 1);
        }
    });
    return readBack();
}

int Paste(QByteArray bytes, TTreeNode *node, qsizetype maxBytes)
{
    if (!node || !node->Item())
        return 0;
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    if (bytes.size() > maxBytes)
        throw EClipboardData(unreadable(QStringLiteral("more than %1 bytes").arg(maxBytes)));
    if (bytes.trimmed().isEmpty())
        return 0;
    const TZEBObject *owner = node->Item();
    if (owner->IsRemote() || owner->InRemote())
        throw ERemoteParent();
    checkRecords(bytes);
    WriteWholeFile(clipFile(), [&](RecordSink &sink) { sink.Bytes(bytes); });
    const RecordFile::ReadNotes notes = ImportFile(node, clipFile());
    node->SortChildren();
    return notes.records;
}

} // namespace ClipRecords
