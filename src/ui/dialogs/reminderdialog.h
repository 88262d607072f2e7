#pragma once

#include "itemdialog.h"

#include "store/recurringdate.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TReminderObject;

// A reminder's title, date(s) and comment. "Set Date..." and "Advance" work on a copy
// of the reminder's rule: OK hands the title, the comment and that rule to the
// reminder at once, so its date text and due mark always agree with its rule, and
// Cancel leaves the reminder as it was.
class TRemdDlg : public ItemDialog
{
    Q_OBJECT
public:
    TRemdDlg(TReminderObject &reminder, bool isNew, const QStringList &categoryNames, QWidget *parent = nullptr);

    const TRecurringDate &rule() const { return m_rule; }
    QLabel *targetDateLabel() const { return m_target; }
    QPushButton *setDateButton() const { return m_setDate; }
    QPushButton *advanceButton() const { return m_advance; }

    // The calendar "Set Date..." opens; Execute unless a test puts its own.
    std::function<bool(TRecurringDate &, QWidget *)> runCalendar;

    void SetDateBtnClick();
    void AdvanceBtnClick();
    // What OK does; false when the title is empty.
    bool apply();

private:
    void showDescription();

    TReminderObject &m_reminder;
    TRecurringDate m_rule;
    QLineEdit *m_title;
    QLabel *m_target;
    QPushButton *m_setDate;
    QPushButton *m_advance;
    QLineEdit *m_comment;
};
