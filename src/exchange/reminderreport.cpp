#include "reminderreport.h"

#include "store/reminderobject.h"
#include "store/treenodes.h"

#include <algorithm>

std::vector<ReminderReportRow> ReminderReportRows(const TTreeNodes &nodes, int first, int last, const QDate &from,
                                                  const QDate &to)
{
    std::vector<ReminderReportRow> rows;
    if (!from.isValid() || !to.isValid() || from > to)
        return rows;
    int index = 0;
    for (TTreeNode *node = nodes.First(); node && index <= last; node = node->NextPreorder(), ++index) {
        const TZEBObject *owner = node->Item();
        if (index < first || !owner)
            continue;
        for (int c = 0; c < owner->ChildCount(); ++c) {
            const auto *reminder = dynamic_cast<const TReminderObject *>(owner->ChildAt(c));
            if (!reminder || reminder->IsFilteredOut())
                continue;
            const TRecurringDate &rule = reminder->Recurrence();
            const QDate date = rule.GetDate();
            if (date < from || date > to)
                continue;
            QString contact = owner->Title();
            if (!owner->Value().isEmpty())
                contact += QStringLiteral(" (") + owner->Value() + u')';
            rows.push_back({date, rule.GetDateText(), reminder->Title(), contact, reminder->Comment()});
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ReminderReportRow &a, const ReminderReportRow &b) { return a.date < b.date; });
    return rows;
}
