#include "platform/commatext.h"

#include <gtest/gtest.h>

TEST(CommaText, QuotesOnlyPartsThatNeedIt)
{
    EXPECT_EQ(joinCommaText({"Notes", "/usr/bin/notes", "", "1"}), "Notes,/usr/bin/notes,,1");
    EXPECT_EQ(joinCommaText({"My, tool", "a b", "say \"hi\"", "tab\there"}),
              "\"My, tool\",\"a b\",\"say \"\"hi\"\"\",\"tab\there\"");
    EXPECT_EQ(joinCommaText({""}), "\"\"");
}

TEST(CommaText, SplitsAtCommasOutsideQuotesAndSkipsBlanks)
{
    EXPECT_EQ(splitCommaText("a, \"b, c\" ,d"), QStringList({"a", "b, c", "d"}));
    EXPECT_EQ(splitCommaText("  x  ,  y  "), QStringList({"x", "y"}));
    EXPECT_EQ(splitCommaText(",a,,"), QStringList({"", "a", "", ""}));
    EXPECT_TRUE(splitCommaText("   ").isEmpty());
    // An unterminated quote runs to the end of the text.
    EXPECT_EQ(splitCommaText("a,\"b,c"), QStringList({"a", "b,c"}));
}

TEST(CommaText, RoundTripsHostileParts)
{
    const QList<QStringList> cases = {
        {"My, tool", "/opt/my tool/run", "-x \"quoted\" y", "1"}, {"", "", "", ""}, {" lead", "trail ", ",", "\""},
        {"\"\"", "a,,b", "tab\t", "0"}, {""}, {"only"},
    };
    for (const QStringList &parts : cases)
        EXPECT_EQ(splitCommaText(joinCommaText(parts)), parts) << joinCommaText(parts).toStdString();
}
