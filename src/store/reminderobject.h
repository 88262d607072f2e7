#pragma once

#include "recurringdate.h"
#include "zebobject.h"

#include <QDate>

// A reminder (kind 9): one date with a recurrence rule. Title is its text, Value the
// date in the short date format. From its date on it is due: it marks itself with
// SetAlert, so its owner and every container above show the alert mark.
class TReminderObject : public TZEBObject
{
public:
    TReminderObject(ItemKind kind, const QString &title, const QString &value, const QString &comment, qint32 id,
                    const QString &dataLine);

    TRecurringDate &Recurrence() { return m_recurrence; }
    const TRecurringDate &Recurrence() const { return m_recurrence; }

    int GetImageIndex() const override;
    // A line without a rule it can read leaves the date at today.
    void LoadFields(const QString &dataLine) override;
    void AppendRecord(QByteArray &out, int level) const override;
    PopupVisibility PreparePopup() const override;
    bool EditNew(TTreeNode *node) override;
    void Open() override;
    void Edit() override;
    // Moves to the next occurrence; when there is none the user is told so.
    void AdvanceDate() override;
    // What the user is told when a rule has no next occurrence.
    static QString CannotAdvanceText();

    // What the reminder dialog's OK does: with a title that is more than blanks, takes
    // the title, the comment and the rule the dialog edited (its date and recurrence),
    // writes the date text into Value and works out the due state again, all at once.
    // Returns false (and changes nothing) for an empty title.
    bool ApplyDialog(const QString &title, const QString &comment, const TRecurringDate &rule);
    // Due from the date on (whole days).
    bool IsDue() const;
    // Whether a reminder of this data line is marked due when it is read.
    static bool DueForDataLine(QStringView dataLine, const QDate &today);
    void UpdateDueState();

    // The day the due state is measured against: its database's (DatabaseContext::Today).
    QDate Today() const;

private:
    TRecurringDate m_recurrence;
    // A stored rule this program could not read, kept so a save writes it back
    // as long as the rule has not been changed since (with the rule as it was then).
    QString m_unreadRule;
    QString m_ruleWhenUnread;
};
