#pragma once

#include <QPoint>
#include <QStringList>
#include <optional>

class QWidget;
class TZEBObject;

// The property dialog of the item's kind (folder, organization, team, person,
// website, address, phone, e-mail address, fax), modal. isNew for an item just
// created with default values. True when OK was taken and the item took the values;
// false after Cancel, when the dialog's required values were missing, and for kinds
// that have no dialog here.
bool RunItemDialog(TZEBObject &item, bool isNew, QWidget *parent, const QStringList &categoryNames);

// The category pop-up at a screen position: the bit set ticked when it closes.
std::optional<qint32> RunCategoryPopup(qint32 current, const QStringList &names, QWidget *parent, QPoint at);
