#pragma once

#include <QDate>
#include <QString>
#include <vector>

class TTreeNodes;

// One row of the "Reminder List" report.
struct ReminderReportRow
{
    QDate date;
    QString Date;     // the date in the short date format
    QString Reminder; // the reminder's title
    QString Contact;  // the owner's title, with " (" value ")" when it has a value
    QString Comment;
};

// The rows of the reminder report for the tree nodes first to last (pre-order numbers,
// the root is 0): every reminder among their items' leaf children that the category
// filter shows and whose date lies from `from` to `to` (whole days), sorted by date,
// reminders of one day in tree order. An empty or reversed range gives no rows.
std::vector<ReminderReportRow> ReminderReportRows(const TTreeNodes &nodes, int first, int last, const QDate &from,
                                                  const QDate &to);
