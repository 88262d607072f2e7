#pragma once

#include <QString>

class QComboBox;
class QListWidget;
class QPushButton;
class QWidget;

// The CSV column page both wizards share: a record type above, the available fields and
// the chosen ones (in order, reordered by dragging) beside two buttons that move them.
struct CsvColumnsSheet
{
    QWidget *sheet;
    QComboBox *recType;
    QListWidget *available;
    QListWidget *chosen;
    QPushButton *toChosen;
    QPushButton *toAvailable;
};

// typeLabel and chosenLabel name the direction ("Export records of type:", "Fields to
// Export (in order)"); the buttons' texts are the same for both wizards.
CsvColumnsSheet MakeCsvColumnsSheet(QWidget *parent, const QString &typeLabel, const QString &chosenLabel);
