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

} // namespace

TEST(Ordinal, TeensTakeThAndOtherNumbersFollowTheirLastDigit)
{
    QStringList got;
    for (int n : {1, 2, 3, 4, 11, 12, 13, 20, 21, 22, 23, 31})
        got << Ordinal(n);
    EXPECT_EQ(got.join(' '), "1st 2nd 3rd 4th 11th 12th 13th 20th 21st 22nd 23rd 31st");
    EXPECT_EQ(WeekOfMonthText(28), "4th");
    EXPECT_EQ(WeekOfMonthText(29), "Last");
}

TEST(RecurringDate, RuleTextRoundTripsAndBadTextLeavesTheRule)
{
    TRecurringDate rule = Rule(2001, 6, 9, 3);
    EXPECT_EQ(rule.SetRule("1998,3,15,2"), TRecurringDate::TRuleResult::Applied);
    EXPECT_EQ(rule.GetDate(), QDate(1998, 3, 15));
    EXPECT_EQ(rule.RecurMode, 2);
    EXPECT_EQ(rule.GetRule(), "1998,3,15,2");

    for (const char *ignored : {"1998,3,15", "1998,3,15,2,7", ""})
        EXPECT_EQ(rule.SetRule(ignored), TRecurringDate::TRuleResult::Ignored) << ignored;
    // Numbers that name no day, or no rule, are refused rather than stored.
    for (const char *invalid : {"1998,x,15,2", "1998,,15,2", "1998,2,30,1", "1998,13,1,1", "70000,1,1,1",
                                "1998,1,1,6", "1998,1,1,-1"})
        EXPECT_EQ(rule.SetRule(invalid), TRecurringDate::TRuleResult::Invalid) << invalid;
    EXPECT_EQ(rule.GetRule(), "1998,3,15,2");
}

TEST(RecurringDateAdvance, MonthEndsLeapYearsAndTheEndOfTheCalendar)
{
    // Mode 0 daily, 1 monthly, 2 yearly, 3 weekly, 4 fortnightly, 5 weekday of the month.
    // A date that cannot be advanced (past 9999) stays, and Advance says so.
    const struct { QDate from; int mode; QDate to; } cases[] = {
        {{1998, 12, 31}, 0, {1999, 1, 1}},   {{2000, 2, 28}, 0, {2000, 2, 29}},
        {{1998, 2, 25}, 3, {1998, 3, 4}},    {{2004, 2, 22}, 3, {2004, 2, 29}},
        {{1998, 12, 25}, 4, {1999, 1, 8}},   {{1998, 11, 15}, 1, {1998, 12, 15}},
        {{1998, 12, 15}, 1, {1999, 1, 15}},
        // A month or year without the day is passed over, never stuck on.
        {{2004, 1, 29}, 1, {2004, 2, 29}},   {{1998, 3, 31}, 1, {1998, 5, 31}}, // April has 30 days
        {{2003, 1, 29}, 1, {2003, 3, 29}},   {{1998, 3, 15}, 2, {1999, 3, 15}},
        {{1998, 1, 31}, 1, {1998, 3, 31}},   {{1998, 12, 31}, 1, {1999, 1, 31}},
        {{1996, 2, 29}, 2, {2000, 2, 29}},   {{1896, 2, 29}, 2, {1904, 2, 29}}, // 1900 is no leap year
        {{1999, 2, 28}, 2, {2000, 2, 28}},   {{9996, 2, 29}, 2, {9996, 2, 29}}, // next one past 9999
        {{9999, 11, 30}, 1, {9999, 12, 30}}, {{9999, 10, 31}, 1, {9999, 12, 31}},
        {{2001, 6, 9}, 9, {2001, 6, 9}}, // no such rule; weekdays of the month are the next test's
        {{9999, 12, 31}, 0, {9999, 12, 31}}, {{9999, 12, 15}, 1, {9999, 12, 15}},
        {{9999, 3, 15}, 2, {9999, 3, 15}},   {{9999, 12, 27}, 5, {9999, 12, 27}},
    };
    for (const auto &c : cases) {
        TRecurringDate rule = Rule(c.from.year(), c.from.month(), c.from.day(), c.mode);
        EXPECT_EQ(rule.Advance(), c.to != c.from) << qPrintable(c.from.toString(Qt::ISODate)) << " mode " << c.mode;
        EXPECT_EQ(rule.GetDate(), c.to) << qPrintable(c.from.toString(Qt::ISODate)) << " mode " << c.mode;
    }
}

// The weekday of date in week 1 to 4 of the next month, or in its last week for 5.
static QDate WeekdayOfNextMonth(const QDate &date, int week)
{
    const QDate month = date.addMonths(1);
    const QDate first(month.year(), month.month(), 1), last(month.year(), month.month(), month.daysInMonth());
    if (week == 5)
        return last.addDays(-((last.dayOfWeek() - date.dayOfWeek() + 7) % 7));
    return first.addDays((date.dayOfWeek() - first.dayOfWeek() + 7) % 7 + 7 * (week - 1));
}

TEST(RecurringDateAdvance, WeekdayOfMonthOverEveryDayOfSeveralYears)
{
    for (QDate date(1998, 1, 1); date < QDate(2006, 1, 1); date = date.addDays(1)) {
        TRecurringDate rule = Rule(date.year(), date.month(), date.day(), 5);
        ASSERT_TRUE(rule.Advance()) << qPrintable(date.toString(Qt::ISODate));
        // Days 29 to 31 are the last week.
        ASSERT_EQ(rule.GetDate(), WeekdayOfNextMonth(date, std::min((date.day() + 6) / 7, 5)))
            << qPrintable(date.toString(Qt::ISODate));
    }
}

TEST(RecurringDateText, DescriptionsOfTheSixRules)
{
    const QString d = kEnglish.toString(QDate(1998, 3, 15), QLocale::ShortFormat);
    EXPECT_EQ(Rule(1998, 3, 15, 0).GetDateText(), d);
    const char *after[] = {"", " and every following 15th of the month", " and every following March 15th",
                           " and every following Sunday", " and every following other Sunday",
                           " and every following 3rd Sun of the month"};
    for (int mode = 0; mode < 6; ++mode)
        EXPECT_EQ(Rule(1998, 3, 15, mode).GetDescription(), d + after[mode]);
    // Week five is the last; week four is the fourth.
    TRecurringDate lastFriday = Rule(2002, 11, 29, 5);
    EXPECT_TRUE(lastFriday.GetDescription().endsWith(" and every following Last Fri of the month"));
    lastFriday.Advance();
    EXPECT_TRUE(lastFriday.GetDescription().endsWith(" and every following 4th Fri of the month"));
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

TEST(RecurringDateCalendar, MonthPagesStartOnSundayAndDaysAreCutToTheMonth)
{
    // 1 March 1998 was a Sunday; 1 February 2004 a Sunday too, in a leap year.
    const auto march = MonthGrid(1998, 3);
    EXPECT_EQ(march[0], 1);
    EXPECT_EQ(march[30], 31);
    EXPECT_EQ(march[31], 0);
    // 1 January 2000 was a Saturday: the last cell of the first week.
    const auto january = MonthGrid(2000, 1);
    EXPECT_EQ(january[5], 0);
    EXPECT_EQ(january[6], 1);
    EXPECT_EQ(january[36], 31); // the sixth week is needed
    EXPECT_EQ(MonthGrid(2004, 2)[28], 29);

    EXPECT_EQ(CutToMonth(2004, 2, 31), 29);
    EXPECT_EQ(CutToMonth(2003, 2, 31), 28);
    EXPECT_EQ(CutToMonth(1900, 2, 30), 28);
    EXPECT_EQ(CutToMonth(2000, 2, 30), 29);
    EXPECT_EQ(CutToMonth(1998, 4, 31), 30);
    EXPECT_EQ(CutToMonth(1998, 5, 31), 31);
}
