#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <stdexcept>

class TTreeNode;
class TZEBObject;

// Raised when bytes offered for a paste are not records the program can read.
class EClipboardData : public std::runtime_error
{
public:
    explicit EClipboardData(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// Items on their way through the clipboard: record text in the program's private
// format, written through and read back from "clipdata.dat", which stays afterwards.
namespace ClipRecords {

// The private clipboard format: UTF-8 records, each line ending in CR LF.
inline const QString Format = QStringLiteral("QUILLDESK");
// A paste reads no more than this.
constexpr qsizetype MaxBytes = qsizetype(256) << 20;

// The tree pane's copy: node's subtree as the category filter shows it (what lies below a
// hidden container moves up into its place), containers without their categories.
QByteArray CopyShownSubtree(TTreeNode *node);
// The list's copy, and every cut: each item whole, nothing filtered, categories kept: a
// container with every container below it, each with its leaf items; a leaf at level 1.
QByteArray CopyItems(const QList<TZEBObject *> &items);
// Reads pasted bytes (up to a first NUL, as the block is zero-terminated) below node and
// re-sorts its children. The number of records read; 0 for an empty block. Bytes that
// are too many, damaged or no records raise EClipboardData; a node in a remote folder
// raises ERemoteParent. Then nothing is changed.
int Paste(QByteArray bytes, TTreeNode *node, qsizetype maxBytes = MaxBytes);

} // namespace ClipRecords
