#include "recurringdate.h"

namespace {

// The rule in words after "every following " (description) or "Every " (choices).
QString RuleWords(qint32 mode, const QDate &date, const QLocale &locale)
{
    switch (mode) {
    case TRecurringDate::Monthly:
        return Ordinal(date.day()) + QStringLiteral(" of the month");
    case TRecurringDate::Yearly:
        return locale.monthName(date.month(), QLocale::LongFormat) + u' ' + Ordinal(date.day());
    case TRecurringDate::Weekly:
        return locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
    case TRecurringDate::EveryOtherWeek:
        return QStringLiteral("other ") + locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
    case TRecurringDate::WeekdayOfMonth:
        return WeekOfMonthText(date.day()) + u' ' + locale.dayName(date.dayOfWeek(), QLocale::ShortFormat)
            + QStringLiteral(" of the month");
    default:
        return {};
    }
}

// Parses a plain decimal number (an optional sign, then digits only).
bool ReadDecimal(const QString &text, int &value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    value = t.toInt(&ok, 10);
    return ok;
}

} // namespace

QString Ordinal(int n)
{
    QString suffix = QStringLiteral("th");
    if (n < 10 || n > 20) {
        switch (n % 10) {
        case 1: suffix = QStringLiteral("st"); break;
        case 2: suffix = QStringLiteral("nd"); break;
        case 3: suffix = QStringLiteral("rd"); break;
        default: break;
        }
    }
    return QString::number(n) + suffix;
}

int WeekOfMonth(int day)
{
    return (day + 6) / 7;
}

QString WeekOfMonthText(int day)
{
    const int week = WeekOfMonth(day);
    return week >= 5 ? QStringLiteral("Last") : Ordinal(week);
}

bool IsRuleDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && QDate::isValid(year, month, day);
}

TRecurringDate::TRecurringDate(const QDate &today)
{
    SetDate(today);
}

TRecurringDate::TRuleResult TRecurringDate::SetRule(const QString &text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return TRuleResult::Ignored;
    int year = 0, month = 0, day = 0, mode = 0;
    if (!ReadDecimal(parts[0], year) || !ReadDecimal(parts[1], month) || !ReadDecimal(parts[2], day)
        || !ReadDecimal(parts[3], mode))
        return TRuleResult::Invalid;
    // A date that does not exist or an unknown rule would make every later use of
    // the rule wrong, so such a text is refused as a whole.
    if (!IsRuleDate(year, month, day) || mode < NoRecurrence || mode > WeekdayOfMonth)
        return TRuleResult::Invalid;
    Year = quint16(year);
    Month = quint16(month);
    Day = quint16(day);
    RecurMode = mode;
    return TRuleResult::Applied;
}

QString TRecurringDate::GetRule() const
{
    return QStringLiteral("%1,%2,%3,%4").arg(Year).arg(Month).arg(Day).arg(RecurMode);
}

QDate TRecurringDate::GetDate() const
{
    return QDate(Year, Month, Day);
}

void TRecurringDate::SetDate(const QDate &date)
{
    if (!date.isValid() || !IsRuleDate(date.year(), date.month(), date.day()))
        return;
    Year = quint16(date.year());
    Month = quint16(date.month());
    Day = quint16(date.day());
}

QString TRecurringDate::GetDateText() const
{
    return m_locale.toString(GetDate(), QLocale::ShortFormat);
}

QString TRecurringDate::GetDescription() const
{
    const QString words = RuleWords(RecurMode, GetDate(), m_locale);
    if (words.isEmpty())
        return GetDateText();
    return GetDateText() + QStringLiteral(" and every following ") + words;
}

QStringList TRecurringDate::RuleChoices(const QDate &date, const QLocale &locale)
{
    QStringList choices{QStringLiteral("Does not recur")};
    for (qint32 mode = Monthly; mode <= WeekdayOfMonth; ++mode)
        choices << QStringLiteral("Every ") + RuleWords(mode, date, locale);
    return choices;
}

bool TRecurringDate::Advance()
{
    const QDate current = GetDate();
    if (!current.isValid())
        return false;
    int year = Year, month = Month, day = Day;
    QDate next;
    switch (RecurMode) {
    case NoRecurrence:
        next = current.addDays(1);
        break;
    case Weekly:
        next = current.addDays(7);
        break;
    case EveryOtherWeek:
        next = current.addDays(14);
        break;
    case Monthly:
        if (++month > 12) {
            month = 1;
            ++year;
        }
        if (IsRuleDate(year, month, day))
            next = QDate(year, month, day);
        break;
    case Yearly:
        ++year;
        if (IsRuleDate(year, month, day))
            next = QDate(year, month, day);
        break;
    case WeekdayOfMonth: {
        // Same weekday, same week of the month; week 5 means the last such weekday,
        // which may fall in week 4 of a shorter month.
        const int week = WeekOfMonth(day);
        QDate d = current;
        for (;;) {
            d = d.addDays(7);
            const int w = WeekOfMonth(d.day());
            if (w == week)
                break;
            if (week == 5 && w >= 3 && d.addDays(7).month() != d.month())
                break;
        }
        next = d;
        break;
    }
    default:
        break;
    }
    if (!next.isValid() || !IsRuleDate(next.year(), next.month(), next.day()))
        return false;
    SetDate(next);
    return true;
}
