#include "recurringdate.h"

#include "fieldcodec.h"

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
bool ReadDecimal(QStringView text, int &value)
{
    return ParseInt(text.trimmed(), value);
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

int DaysInMonth(int year, int month)
{
    return QDate(year, month, 1).daysInMonth();
}

int CutToMonth(int year, int month, int day)
{
    return qBound(1, day, DaysInMonth(year, month));
}

std::array<int, 42> MonthGrid(int year, int month)
{
    std::array<int, 42> cells{};
    // Sunday is column 0; dayOfWeek counts Monday 1 to Sunday 7.
    const int first = QDate(year, month, 1).dayOfWeek() % 7;
    const int days = DaysInMonth(year, month);
    for (int day = 1; day <= days; ++day)
        cells[size_t(first + day - 1)] = day;
    return cells;
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

TRecurringDate::ParsedRule TRecurringDate::ParseRule(QStringView text)
{
    // A load reads one rule per reminder: the parts are looked at where they stand.
    QStringView parts[4];
    qsizetype count = 0;
    for (qsizetype from = 0;;) {
        const qsizetype comma = text.indexOf(u',', from);
        if (count == 4)
            return {TRuleResult::Ignored};
        parts[count++] = text.mid(from, (comma < 0 ? text.size() : comma) - from);
        if (comma < 0)
            break;
        from = comma + 1;
    }
    if (count != 4)
        return {TRuleResult::Ignored};
    ParsedRule rule{TRuleResult::Invalid};
    if (!ReadDecimal(parts[0], rule.Year) || !ReadDecimal(parts[1], rule.Month) || !ReadDecimal(parts[2], rule.Day)
        || !ReadDecimal(parts[3], rule.Mode))
        return rule;
    // A date that does not exist or an unknown rule would make every later use of
    // the rule wrong, so such a text is refused as a whole.
    if (!IsRuleDate(rule.Year, rule.Month, rule.Day) || rule.Mode < NoRecurrence || rule.Mode > WeekdayOfMonth)
        return rule;
    rule.Result = TRuleResult::Applied;
    return rule;
}

TRecurringDate::TRuleResult TRecurringDate::SetRule(const QString &text)
{
    const ParsedRule rule = ParseRule(text);
    if (rule.Result == TRuleResult::Applied) {
        Year = quint16(rule.Year);
        Month = quint16(rule.Month);
        Day = quint16(rule.Day);
        RecurMode = rule.Mode;
    }
    return rule.Result;
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
        // The next month that has the day: the 31st of January is next due on the
        // 31st of March. Some month within two has it, so the search is short.
        do {
            if (++month > 12) {
                month = 1;
                ++year;
            }
        } while (year <= 9999 && !QDate::isValid(year, month, day));
        if (IsRuleDate(year, month, day))
            next = QDate(year, month, day);
        break;
    case Yearly:
        // The next year that has the date: 29 February comes back in a leap year
        // (at most eight years on, across a century that skips one).
        do
            ++year;
        while (year <= 9999 && !QDate::isValid(year, month, day));
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
