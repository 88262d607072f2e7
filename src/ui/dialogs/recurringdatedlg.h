#pragma once

#include "store/recurringdate.h"

#include <QDate>
#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

// The calendar of a recurring date: the long date above, a month selector, the year
// (1 to 9999), a month page with Sunday first, and the recurrence choices worked out
// from the date shown. Choosing a month or a year keeps the day where the month has
// it and cuts it to the month's length where it does not.
class TRecurringDateDlg : public QDialog
{
    Q_OBJECT
public:
    TRecurringDateDlg(const TRecurringDate &rule, QWidget *parent = nullptr);

    // The date the page shows, and the chosen rule.
    QDate currentDate() const { return m_current; }
    qint32 recurMode() const;
    // OK: the date shown; Cancel: the date the dialog opened with.
    QDate resultDate() const { return result() == Accepted ? m_current : m_initial; }

    QComboBox *monthSelector() const { return m_months; }
    QSpinBox *yearUpDown() const { return m_year; }
    QTableWidget *monthGrid() const { return m_grid; }
    QComboBox *recurSelector() const { return m_recur; }
    QLabel *dateLabel() const { return m_dateLabel; }

    // The handlers, also for tests.
    void MonthSelectorChange(int monthIndex);
    void YearUpDownClick(int year);
    // A cell of the page (rows 1 to 6); an empty cell changes nothing.
    void MonthGridClick(int row, int column);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void setCurrent(int year, int month, int day);
    void drawCalendar();
    void fillRecurrenceChoices();

    QLocale m_locale;
    QDate m_initial;
    QDate m_current;
    QLabel *m_dateLabel;
    QComboBox *m_months;
    QSpinBox *m_year;
    QTableWidget *m_grid;
    QComboBox *m_recur;
};

// Shows the calendar for rule, modal; on OK the rule takes the date and the chosen
// recurrence. True when OK was chosen.
bool Execute(TRecurringDate &rule, QWidget *parent);
