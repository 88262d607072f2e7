#pragma once

#include <QDialog>
#include <QPoint>
#include <QStringList>
#include <optional>
#include <type_traits>

class QWidget;
class TZEBObject;

// The property dialog of the item's kind, modal (the kinds and their dialogs are in
// ui/kindcommands.h). isNew for an item just created with default values. True when OK
// was taken and the item took the values; false after Cancel, when the dialog's required
// values were missing, and for kinds that have no dialog yet.
bool RunItemDialog(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &categoryNames);

// Runs Dialog on an item of class Item; false when the item is of another class.
template <class Item, class Dialog>
bool RunDialogOf(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &categoryNames)
{
    auto *typed = dynamic_cast<Item *>(&item);
    if (!typed)
        return false;
    const auto run = [](Dialog &dialog) {
        if (dialog.exec() != QDialog::Accepted)
            return false;
        if constexpr (std::is_void_v<decltype(dialog.apply())>) {
            dialog.apply();
            return true;
        } else {
            return dialog.apply();
        }
    };
    if constexpr (std::is_constructible_v<Dialog, Item &, bool, const QStringList &, QWidget *>) {
        Dialog dialog(*typed, isNew, categoryNames, parent);
        return run(dialog);
    } else {
        Dialog dialog(*typed, categoryNames, parent);
        return run(dialog);
    }
}

// The category pop-up at a screen position: the bit set ticked when it closes.
std::optional<qint32> RunCategoryPopup(qint32 current, const QStringList &names, QWidget *parent, QPoint at);
