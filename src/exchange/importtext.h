#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TTreeNode;
class TZEBObject;

// The files other programs write are untrusted: they are read only when they are
// regular files of a sensible size, and text must be text.
namespace ImportText {

// More than any address book or bookmark file holds.
constexpr qint64 MaxFileSize = qint64(64) * 1024 * 1024;
// A shortcut or desktop entry is a few lines.
constexpr qint64 MaxShortcutSize = 64 * 1024;

// The bytes of fileName, at most maxSize of them. Raises EInOutError with the reason when
// the file cannot be opened, is no regular file or is larger.
QByteArray ReadBytes(const QString &fileName, qint64 maxSize = MaxFileSize);

// Bytes of a text file as text: UTF-16 with its byte-order mark, else each line UTF-8 where
// it is valid UTF-8 and Windows-1252 where not (a UTF-8 byte-order mark is dropped).
// Raises EInOutError naming fileName when the bytes hold a NUL, which no text has.
QString Decode(const QByteArray &bytes, const QString &fileName);

// ReadBytes and Decode.
QString ReadText(const QString &fileName, qint64 maxSize = MaxFileSize);

} // namespace ImportText

// What an import made and what it passed over, for the message the user reads.
struct ImportNotes
{
    int made = 0;
    // Records that made no item (a person without a name, a line of the wrong shape...).
    int skipped = 0;
    int firstSkippedLine = 0;
    // Things the user must hear of besides ("the last record's quote is never closed").
    QStringList problems;

    void Skip(int line)
    {
        if (skipped++ == 0)
            firstSkippedLine = line;
    }
};

// "12 items were imported; 2 records made no item (the first at line 5)..."; empty when
// everything read was imported.
QString ImportShortfall(const ImportNotes &notes);

// Takes an item the import made out of the tree again (a record that did not fill it).
void DiscardItem(TZEBObject *item);
