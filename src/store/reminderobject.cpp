#include "reminderobject.h"

#include "databasecontext.h"
#include "fieldcodec.h"
#include "itemservices.h"
#include "kindtable.h"

namespace {
const QString kTag = KindTag(ItemKind::Reminder);
} // namespace

QDate TReminderObject::Today() const { return Context().Today(); }

TReminderObject::TReminderObject(ItemKind kind, const QString &title, const QString &value, const QString &comment,
                                 qint32 id, const QString &dataLine)
    : TZEBObject(kind, title, value, comment, id), m_recurrence(Today())
{
    m_recurrence.UseToday = false;
    LoadFields(dataLine);
}

bool TReminderObject::IsDue() const { return Today() >= m_recurrence.GetDate(); }

bool TReminderObject::DueForDataLine(QStringView dataLine, const QDate &today)
{
    // What LoadFields decides, without making the item.
    if (!dataLine.startsWith(kTag))
        return false;
    FieldViews fields;
    SplitFieldViews(dataLine.mid(kTag.size()), fields);
    const QStringView field = fields.at(0);
    const auto rule = field.startsWith(u'~') ? TRecurringDate::ParseRule(DecodeField(field.toString()))
                                             : TRecurringDate::ParseRule(field);
    // A rule it cannot read leaves the reminder at today's date.
    return rule.Result != TRecurringDate::TRuleResult::Applied || today >= QDate(rule.Year, rule.Month, rule.Day);
}

void TReminderObject::UpdateDueState() { SetAlert(IsDue()); }

int TReminderObject::GetImageIndex() const { return IsDue() ? ImageIndex(Image::DueReminder) : ImageIndex(Image::Reminder); }

void TReminderObject::LoadFields(const QString &dataLine)
{
    // Without a rule it can read, a reminder stays on its database's today.
    m_recurrence.SetDate(Today());
    QStringList fields;
    if (!DataFields(dataLine, kTag, fields))
        return;
    const QString rule = fields.value(0);
    if (m_recurrence.SetRule(rule) != TRecurringDate::TRuleResult::Applied && !rule.isEmpty()) {
        // Dropping it would lose the reminder's date at the next save.
        m_unreadRule = rule;
        m_ruleWhenUnread = m_recurrence.GetRule();
    } else {
        m_unreadRule.clear();
    }
    UpdateDueState();
    bool ok = false;
    const qint32 categories = fields.value(1).trimmed().toInt(&ok);
    SetCategories(ok ? categories : 0);
}

void TReminderObject::AppendRecord(QByteArray &out, int level) const
{
    const QString current = m_recurrence.GetRule();
    const bool unchanged = !m_unreadRule.isEmpty() && current == m_ruleWhenUnread;
    AppendRecordWithData(out, level, kTag, {unchanged ? m_unreadRule : current});
}

PopupVisibility TReminderObject::PreparePopup() const
{
    PopupVisibility v;
    v.Open = false;
    v.AdvanceDate = true;
    return v;
}

bool TReminderObject::ApplyDialog(const QString &title, const QString &comment, const TRecurringDate &rule)
{
    if (title.trimmed().isEmpty())
        return false;
    m_recurrence.Year = rule.Year;
    m_recurrence.Month = rule.Month;
    m_recurrence.Day = rule.Day;
    m_recurrence.RecurMode = rule.RecurMode;
    SetTitle(title);
    SetValue(m_recurrence.GetDateText());
    SetComment(comment);
    UpdateDueState();
    return true;
}

bool TReminderObject::EditNew(TTreeNode *) { return Services().EditItem(*this, true); }

void TReminderObject::Edit() { Services().EditItem(*this, false); }

void TReminderObject::Open()
{
    Edit();
    Services().ReselectNode(Node());
}

QString TReminderObject::CannotAdvanceText()
{
    return QStringLiteral("This reminder has no later date in the calendar (it ends with the year 9999), so it "
                          "cannot be advanced. Open it and choose another date.");
}

void TReminderObject::AdvanceDate()
{
    if (!m_recurrence.Advance()) {
        Services().ShowInformation(CannotAdvanceText());
        return;
    }
    SetValue(m_recurrence.GetDateText());
    UpdateDueState();
    Services().ReselectNode(Node());
}
