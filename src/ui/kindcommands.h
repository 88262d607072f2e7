#pragma once

#include "store/kinds.h"

#include <QKeyCombination>
#include <QStringList>
#include <span>

class QWidget;
class TZEBObject;

// Runs a kind's property dialog, modal: true when OK was taken and the item took the values.
using ItemDialogRunner = bool (*)(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &categoryNames);

// The main window's side of each kind (the rest is in store/kindtable.h): its New command
// and its property dialog.
struct KindCommand
{
    ItemKind kind;
    const char *menuText;
    const char *buttonText; // empty: no button on the new item bar
    QKeyCombination shortcut;
    const char *hint;
    bool inFileMenu;  // File > New
    bool inPopupMenu; // the list pop-up's New
    // None while the kind has no dialog yet: then its New command and Properties are
    // shown disabled rather than making an item they would throw away.
    ItemDialogRunner dialog;
};

// The kinds a New command makes, in the order of the new item bar.
std::span<const KindCommand> KindCommands();
// The kind's row, or nothing for kinds no New command makes.
const KindCommand *FindKindCommand(ItemKind kind);
// The kind's property dialog, or none while it has none yet.
ItemDialogRunner KindDialog(ItemKind kind);
// Whether the kind has a property dialog yet.
bool HasDialog(ItemKind kind);
