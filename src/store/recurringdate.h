#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

// A date with a recurrence rule: the next due date of a reminder and how it moves on.
// The calendar dialog that edits it lives with the widgets; this is the rule itself.
class TRecurringDate
{
public:
    enum TRecurMode : qint32 {
        NoRecurrence = 0,
        Monthly = 1,
        Yearly = 2,
        Weekly = 3,
        EveryOtherWeek = 4,
        WeekdayOfMonth = 5,
    };
    enum class TDialogPosition { ScreenCenter, Designed };

    // What SetRule made of a rule text.
    enum class TRuleResult {
        Applied,
        // Not four comma-separated parts: the rule is left as it was.
        Ignored,
        // Four parts, but not four decimal numbers forming a date and a known rule:
        // the rule is left as it was and the caller decides how loud to be.
        Invalid,
    };

    explicit TRecurringDate(const QDate &today = QDate::currentDate());

    quint16 Year = 0;
    quint16 Month = 0;
    quint16 Day = 0;
    qint32 RecurMode = NoRecurrence;
    bool UseToday = true;
    TDialogPosition DialogPosition = TDialogPosition::ScreenCenter;
    int DialogTop = 0;
    int DialogLeft = 0;
    QString DialogCaption = QStringLiteral("Select a date");

    // Month and weekday names and the short date format come from this locale.
    const QLocale &Locale() const { return m_locale; }
    void SetLocale(const QLocale &locale) { m_locale = locale; }

    // Text form "Year,Month,Day,RecurMode", e.g. 1998,3,15,2.
    TRuleResult SetRule(const QString &text);
    struct ParsedRule
    {
        TRuleResult Result;
        int Year = 0, Month = 0, Day = 0, Mode = 0;
    };
    // What SetRule reads from a text; the numbers count only when it is Applied.
    static ParsedRule ParseRule(QStringView text);
    QString GetRule() const;

    QDate GetDate() const;
    void SetDate(const QDate &date);
    // The date in the locale's short date format.
    QString GetDateText() const;
    // The date followed by the rule in words, e.g. "... and every following Monday".
    QString GetDescription() const;
    // Moves to the next occurrence: a monthly or yearly rule goes on to the next month
    // or year that has its day (31st, 29 February). Returns whether the date moved;
    // it stays only when the next occurrence lies past the year 9999.
    bool Advance();

    // The recurrence choices of the calendar dialog for a given date, in code order.
    static QStringList RuleChoices(const QDate &date, const QLocale &locale);

private:
    QLocale m_locale;
};

// Days of a month (1 to 12) of a year 1 to 9999, leap years by the Gregorian rule.
int DaysInMonth(int year, int month);
// The day cut to the month's length: the 31st becomes the 30th in April.
int CutToMonth(int year, int month, int day);
// The calendar page of a month: six weeks of seven cells, Sunday first, holding the
// day numbers from the first day's weekday on; 0 in the cells before and after.
std::array<int, 42> MonthGrid(int year, int month);
// 1st, 2nd, 3rd, 4th, 11th, 12th, 13th, 21st ...
QString Ordinal(int n);
// Week of the month a day lies in: days 1-7 week 1, ... 29-31 week 5.
int WeekOfMonth(int day);
// "1st" to "4th" for weeks 1 to 4, "Last" for week 5.
QString WeekOfMonthText(int day);
// Dates the rule accepts: a real calendar day in the years 1 to 9999.
bool IsRuleDate(int year, int month, int day);
