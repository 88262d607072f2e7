#pragma once

#include "kinds.h"

#include <QString>
#include <memory>
#include <span>

class TZEBObject;

// What a kind of item is, one row per kind: the rest of the program reads it here, so a
// new kind or a new per-kind fact is one row or one column. The main window's commands
// and dialogs for each kind are in ui/kindcommands.h, keyed by the same kind code.
struct KindInfo
{
    ItemKind kind;                 // the code in the record file; also the row's index
    const char *word;         // as the mira tool shows and reads it
    const char *tag;          // the data line's tag; empty for the root, which has no data line
    bool container;           // a node of its own in the tree, or a leaf item of its owner
    const char *defaultTitle; // of an item made by a New command; empty when none makes it
    Image image;              // its picture (a kind may change it by state)
    // Constructs the kind's class (the root has none of its own).
    std::unique_ptr<TZEBObject> (*make)(ItemKind kind, const QString &title, const QString &value,
                                        const QString &comment, qint32 id, const QString &dataLine);
};

// Every kind, in the order of the codes.
std::span<const KindInfo> KindTable();
// The kind's row, or nothing for a code no kind has.
const KindInfo *FindKind(ItemKind kind);
// The data line's tag of a kind ("{Pers}"); empty for the root and unknown codes.
QString KindTag(ItemKind kind);
// "New Person" and the like; empty for kinds no New command makes.
QString DefaultTitle(ItemKind kind);
