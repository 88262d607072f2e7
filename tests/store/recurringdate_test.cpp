#include <gtest/gtest.h>

#include "store/recurringdate.h"

namespace {

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

TRecurringDate Rule(int year, int month, int day, qint32 mode, const QLocale &locale = kEnglish)
{
    TRecurringDate rule(QDate(year, month, day));
    rule.RecurMode = mode;
    rule.SetLocale(locale);
    return rule;
}

QDate Advanced(int year, int month, int day, qint32 mode)
{
    TRecurringDate rule = Rule(year, month, day, mode);
    rule.Advance();
    return rule.GetDate();
}

} // namespace

TEST(Ordinal, TeensTakeThAndOtherNumbersFollowTheirLastDigit)
{
    EXPECT_EQ(Ordinal(1), "1st");
    EXPECT_EQ(Ordinal(2), "2nd");
    EXPECT_EQ(Ordinal(3), "3rd");
    EXPECT_EQ(Ordinal(4), "4th");
    EXPECT_EQ(Ordinal(11), "11th");
    EXPECT_EQ(Ordinal(12), "12th");
    EXPECT_EQ(Ordinal(13), "13th");
    EXPECT_EQ(Ordinal(20), "20th");
    EXPECT_EQ(Ordinal(21), "21st");
    EXPECT_EQ(Ordinal(22), "22nd");
    EXPECT_EQ(Ordinal(23), "23rd");
    EXPECT_EQ(Ordinal(31), "31st");
}

TEST(WeekOfMonth, SevenDaysAWeekWithTheTailAsWeekFive)
{
    EXPECT_EQ(WeekOfMonth(1), 1);
    EXPECT_EQ(WeekOfMonth(8), 2);
    EXPECT_EQ(WeekOfMonth(21), 3);
    EXPECT_EQ(WeekOfMonth(28), 4);
    EXPECT_EQ(WeekOfMonth(29), 5);
    EXPECT_EQ(WeekOfMonth(31), 5);
    EXPECT_EQ(WeekOfMonthText(28), "4th");
    EXPECT_EQ(WeekOfMonthText(29), "Last");
}

TEST(RecurringDate, StartsOnTheGivenDayWithoutRecurrence)
{
    TRecurringDate rule(QDate(2003, 7, 4));
    EXPECT_EQ(rule.GetDate(), QDate(2003, 7, 4));
    EXPECT_EQ(rule.RecurMode, TRecurringDate::NoRecurrence);
    EXPECT_TRUE(rule.UseToday);
    EXPECT_EQ(rule.DialogCaption, "Select a date");
}

TEST(RecurringDate, RuleTextRoundTrips)
{
    TRecurringDate rule(QDate(2000, 1, 1));
    EXPECT_EQ(rule.SetRule("1998,3,15,2"), TRecurringDate::TRuleResult::Applied);
    EXPECT_EQ(rule.Year, 1998);
    EXPECT_EQ(rule.Month, 3);
    EXPECT_EQ(rule.Day, 15);
    EXPECT_EQ(rule.RecurMode, 2);
    EXPECT_EQ(rule.GetRule(), "1998,3,15,2");
}

TEST(RecurringDate, RuleTextThatIsNotFourNumbersLeavesTheRule)
{
    TRecurringDate rule = Rule(2001, 6, 9, 3);
    EXPECT_EQ(rule.SetRule("1998,3,15"), TRecurringDate::TRuleResult::Ignored);
    EXPECT_EQ(rule.SetRule("1998,3,15,2,7"), TRecurringDate::TRuleResult::Ignored);
    EXPECT_EQ(rule.SetRule(""), TRecurringDate::TRuleResult::Ignored);
    EXPECT_EQ(rule.SetRule("1998,x,15,2"), TRecurringDate::TRuleResult::Invalid);
    EXPECT_EQ(rule.SetRule("1998,,15,2"), TRecurringDate::TRuleResult::Invalid);
    // Numbers that name no day, or no rule, are refused rather than stored.
    EXPECT_EQ(rule.SetRule("1998,2,30,1"), TRecurringDate::TRuleResult::Invalid);
    EXPECT_EQ(rule.SetRule("1998,13,1,1"), TRecurringDate::TRuleResult::Invalid);
    EXPECT_EQ(rule.SetRule("70000,1,1,1"), TRecurringDate::TRuleResult::Invalid);
    EXPECT_EQ(rule.SetRule("1998,1,1,6"), TRecurringDate::TRuleResult::Invalid);
    EXPECT_EQ(rule.SetRule("1998,1,1,-1"), TRecurringDate::TRuleResult::Invalid);
    EXPECT_EQ(rule.GetRule(), "2001,6,9,3");
}

TEST(RecurringDateAdvance, DayWeekAndFortnight)
{
    EXPECT_EQ(Advanced(1998, 12, 31, 0), QDate(1999, 1, 1));
    EXPECT_EQ(Advanced(2000, 2, 28, 0), QDate(2000, 2, 29));
    EXPECT_EQ(Advanced(1998, 2, 25, 3), QDate(1998, 3, 4));
    EXPECT_EQ(Advanced(2004, 2, 22, 3), QDate(2004, 2, 29));
    EXPECT_EQ(Advanced(1998, 12, 25, 4), QDate(1999, 1, 8));
}

TEST(RecurringDateAdvance, MonthlyKeepsTheDayAndTurnsTheYear)
{
    EXPECT_EQ(Advanced(1998, 1, 15, 1), QDate(1998, 2, 15));
    EXPECT_EQ(Advanced(1998, 12, 15, 1), QDate(1999, 1, 15));
    EXPECT_EQ(Advanced(2004, 1, 29, 1), QDate(2004, 2, 29));
    EXPECT_EQ(Advanced(1998, 3, 31, 1), QDate(1998, 3, 31)) << "April has 30 days";
    EXPECT_EQ(Advanced(1998, 1, 31, 1), QDate(1998, 1, 31));
    EXPECT_EQ(Advanced(2003, 1, 29, 1), QDate(2003, 1, 29)) << "February 2003 has 28 days";
}

TEST(RecurringDateAdvance, YearlyStopsAtTheTwentyNinthOfFebruary)
{
    EXPECT_EQ(Advanced(1998, 3, 15, 2), QDate(1999, 3, 15));
    EXPECT_EQ(Advanced(1996, 2, 29, 2), QDate(1996, 2, 29));
    EXPECT_EQ(Advanced(1999, 2, 28, 2), QDate(2000, 2, 28));
    TRecurringDate rule = Rule(1996, 2, 29, 2);
    EXPECT_FALSE(rule.Advance());
    EXPECT_EQ(rule.GetRule(), "1996,2,29,2");
}

TEST(RecurringDateAdvance, WeekdayOfMonthExamples)
{
    // Monday 9 March 1998 is the second Monday.
    EXPECT_EQ(Advanced(1998, 3, 9, 5), QDate(1998, 4, 13));
    EXPECT_EQ(Advanced(1998, 1, 30, 5), QDate(1998, 2, 27));
    // The week after the last Friday of December lies in the next year.
    EXPECT_EQ(Advanced(2002, 11, 29, 5), QDate(2002, 12, 27));
    // 27 December is in week 4, so from there on it is the 4th Friday.
    EXPECT_EQ(Advanced(2002, 12, 27, 5), QDate(2003, 1, 24));
}

namespace {
QDate NthWeekdayOfNextMonth(const QDate &date, int week)
{
    QDate d = date.addMonths(1);
    d = QDate(d.year(), d.month(), 1);
    while (d.dayOfWeek() != date.dayOfWeek())
        d = d.addDays(1);
    return d.addDays(7 * (week - 1));
}

QDate LastWeekdayOfNextMonth(const QDate &date)
{
    QDate d = date.addMonths(1);
    d = QDate(d.year(), d.month(), d.daysInMonth());
    while (d.dayOfWeek() != date.dayOfWeek())
        d = d.addDays(-1);
    return d;
}
} // namespace

TEST(RecurringDateAdvance, WeekdayOfMonthOverEveryDayOfSeveralYears)
{
    for (QDate date(1998, 1, 1); date < QDate(2006, 1, 1); date = date.addDays(1)) {
        TRecurringDate rule = Rule(date.year(), date.month(), date.day(), 5);
        ASSERT_TRUE(rule.Advance()) << qPrintable(date.toString(Qt::ISODate));
        const int week = WeekOfMonth(date.day());
        const QDate expected = week == 5 ? LastWeekdayOfNextMonth(date) : NthWeekdayOfNextMonth(date, week);
        ASSERT_EQ(rule.GetDate(), expected) << qPrintable(date.toString(Qt::ISODate));
    }
}

TEST(RecurringDateAdvance, UnknownRuleStaysPut)
{
    TRecurringDate rule = Rule(2001, 6, 9, 0);
    rule.RecurMode = 9;
    EXPECT_FALSE(rule.Advance());
    EXPECT_EQ(rule.GetDate(), QDate(2001, 6, 9));
}

TEST(RecurringDateAdvance, EndOfTheCalendarStaysPut)
{
    EXPECT_EQ(Advanced(9999, 12, 31, 0), QDate(9999, 12, 31));
    EXPECT_EQ(Advanced(9999, 12, 15, 1), QDate(9999, 12, 15));
    EXPECT_EQ(Advanced(9999, 3, 15, 2), QDate(9999, 3, 15));
    EXPECT_EQ(Advanced(9999, 12, 27, 5), QDate(9999, 12, 27));
}

TEST(RecurringDateText, DescriptionsOfTheSixRules)
{
    const QString d = kEnglish.toString(QDate(1998, 3, 15), QLocale::ShortFormat);
    EXPECT_EQ(Rule(1998, 3, 15, 0).GetDateText(), d);
    EXPECT_EQ(Rule(1998, 3, 15, 0).GetDescription(), d);
    EXPECT_EQ(Rule(1998, 3, 15, 1).GetDescription(), d + " and every following 15th of the month");
    EXPECT_EQ(Rule(1998, 3, 15, 2).GetDescription(), d + " and every following March 15th");
    EXPECT_EQ(Rule(1998, 3, 15, 3).GetDescription(), d + " and every following Sunday");
    EXPECT_EQ(Rule(1998, 3, 15, 4).GetDescription(), d + " and every following other Sunday");
    EXPECT_EQ(Rule(1998, 3, 15, 5).GetDescription(), d + " and every following 3rd Sun of the month");
}

TEST(RecurringDateText, WeekFiveIsDescribedAsLastAndWeekFourAsFourth)
{
    TRecurringDate rule = Rule(2002, 11, 29, 5);
    EXPECT_TRUE(rule.GetDescription().endsWith(" and every following Last Fri of the month"));
    rule.Advance();
    EXPECT_TRUE(rule.GetDescription().endsWith(" and every following 4th Fri of the month"));
    EXPECT_TRUE(Rule(2003, 1, 22, 1).GetDescription().endsWith(" every following 22nd of the month"));
    EXPECT_TRUE(Rule(2003, 1, 11, 1).GetDescription().endsWith(" every following 11th of the month"));
}

TEST(RecurringDateText, NamesComeFromTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    TRecurringDate rule = Rule(1998, 3, 15, 2, german);
    EXPECT_EQ(rule.GetDateText(), german.toString(QDate(1998, 3, 15), QLocale::ShortFormat));
    EXPECT_TRUE(rule.GetDescription().endsWith(" and every following März 15th"));
    rule.RecurMode = 3;
    EXPECT_TRUE(rule.GetDescription().endsWith(" and every following Sonntag"));
    EXPECT_NE(rule.GetDateText(), Rule(1998, 3, 15, 2).GetDateText());
}

TEST(RecurringDateText, ChoicesForTheCalendarDialog)
{
    const QStringList choices = TRecurringDate::RuleChoices(QDate(1998, 3, 31), kEnglish);
    const QStringList expected{"Does not recur",        "Every 31st of the month", "Every March 31st",
                               "Every Tuesday",         "Every other Tuesday",     "Every Last Tue of the month"};
    EXPECT_EQ(choices, expected);
}
