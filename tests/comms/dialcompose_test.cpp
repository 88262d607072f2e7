// From a stored number to the dial string, and the calling-card formats.
#include "comms/callingcards.h"
#include "comms/dialcompose.h"
#include "comms/dialsettings.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DialCompose : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    TDialSettings s {dir.filePath("registry.ini")};
};

} // namespace

TEST(StringOps, StripAndReplaceFirst)
{
    EXPECT_EQ(StripChars("(212) 555-1234", "()-"), "212 5551234");
    EXPECT_EQ(StripChars("", "()-"), "");
    EXPECT_EQ(ReplaceFirst("0 N $N", "N", "123"), "0 123 $N");
    EXPECT_EQ(ReplaceFirst("102881,", "N", "123"), "102881,");
    EXPECT_EQ(ReplaceFirst("HH", "H", ""), "H");
}

TEST_F(DialCompose, AreaCodeMatchDialsLocallyAndOffersLongDistance)
{
    s.AreaCode = "212";
    s.LocalPrefix = "9";
    s.LongPrefix = "8";
    const ComposedDial d = ComposeDialString("(212) 555-1234", s);
    EXPECT_EQ(d.dialString, "9  5551234");
    EXPECT_EQ(d.number, " 5551234");
    EXPECT_TRUE(d.offerLongDistance);
    EXPECT_EQ(ComposeLongDistanceString(d.number, s), "8 212 5551234");
}

TEST_F(DialCompose, LongNumbersGoThroughTheLongPrefixAndTheCard)
{
    s.AreaCode = "212";
    s.LongPrefix = "9";
    ComposedDial d = ComposeDialString("1-800-555-0100", s);
    EXPECT_EQ(d.dialString, "9 18005550100");
    EXPECT_FALSE(d.offerLongDistance);

    s.UseCard = true;
    s.Code = ExpandCardFormat(4, "1234");
    EXPECT_EQ(s.Code, "0 N $1234");
    d = ComposeDialString("1-800-555-0100", s);
    EXPECT_EQ(d.dialString, "9 0 18005550100 $1234");

    // A format without "N" leaves the number out.
    s.Code = ExpandCardFormat(0, "1234");
    EXPECT_EQ(ComposeDialString("1-800-555-0100", s).dialString, "9 102881,");
    // Exactly nine characters count as long distance.
    s.UseCard = false;
    EXPECT_FALSE(ComposeDialString("123456789", s).offerLongDistance);
}

TEST_F(DialCompose, ShortNumbersAreLocalEvenWithoutPrefixOrAreaCode)
{
    s.LongPrefix = "1";
    ComposedDial d = ComposeDialString("555-1234", s);
    EXPECT_EQ(d.dialString, " 5551234"); // the blank stays with an empty prefix
    EXPECT_TRUE(d.offerLongDistance);
    EXPECT_EQ(ComposeLongDistanceString(d.number, s), "1 5551234");

    s.AreaCode = "415";
    s.UseCard = true;
    s.Code = "0 N $1234";
    EXPECT_EQ(ComposeLongDistanceString(ComposeDialString("555.1234", s).number, s), "1 0 415555.1234 $1234");
}

TEST(CallingCards, TheServiceListAndItsExpansion)
{
    ASSERT_EQ(ServiceFormats.size(), 21u);
    EXPECT_STREQ(ServiceFormats[0].name, "AT&T Direct Dial via 10ATT1");
    EXPECT_STREQ(ServiceFormats[20].format, "103330 N $H");
    EXPECT_EQ(ServiceIndex("Optus (Australia) via 1812"), 15);
    EXPECT_EQ(ServiceIndex("optus (australia) via 1812"), -1);
    EXPECT_EQ(ExpandCardFormat(15, "9999"), "N");
    EXPECT_EQ(ExpandCardFormat(5, "4321"), "3610,4321,16,N#");
    EXPECT_EQ(ExpandCardFormat(17, "77"), "012,0N ?77");
    EXPECT_EQ(ExpandCardFormat(21, "1"), "");
    EXPECT_EQ(ExpandCardFormat(-1, "1"), "");
    // Names are unique, so a stored name finds its format again.
    for (size_t i = 0; i < ServiceFormats.size(); ++i)
        EXPECT_EQ(ServiceIndex(QLatin1String(ServiceFormats[i].name)), int(i));
}
