// Result texts, dial-string checks and caller-ID decoding of the telephony line.
#include "platform/telephonycallerid.h"
#include "platform/telephonydialstring.h"
#include "platform/telephonyerrors.h"

#include <gtest/gtest.h>

TEST(LineErrorText, NamesCodesAndUnknowns)
{
    EXPECT_EQ(LineError::text(0), "");
    EXPECT_EQ(LineError::hex(0), "");
    EXPECT_EQ(LineError::text(qint32(0x80000001)), "LINEERR_ALLOCATED");
    EXPECT_EQ(LineError::text(qint32(0x80000002)), "LINEERR_BADDEVICEID");
    EXPECT_EQ(LineError::text(qint32(0x8000002F)), "LINEERR_INVALMEDIAMODE");
    EXPECT_EQ(LineError::text(qint32(0x80000044)), "LINEERR_NOMEM");
    EXPECT_EQ(LineError::text(qint32(0x8000004D)), "LINEERR_STRUCTURETOOSMALL");
    EXPECT_EQ(LineError::text(qint32(0x8000005A)), "LINEERR_INVALAGENTSTATE");
    // Holes in the numbering and codes past the end are unknown.
    EXPECT_EQ(LineError::text(qint32(0x80000004)), "Unknown [80000004]");
    EXPECT_EQ(LineError::text(qint32(0x8000005B)), "Unknown [8000005B]");
    EXPECT_EQ(LineError::text(0x12345678), "Unknown [12345678]");
    EXPECT_EQ(LineError::text(-2), "LINE_ERROR_DEVICE");
    EXPECT_EQ(LineError::text(-987), "Not 100% TAPI compliant");
    EXPECT_EQ(LineError::hex(-987), "FFFFFC25");
    EXPECT_EQ(LineError::text(LineError::Busy), "BUSY");
    EXPECT_EQ(LineError::text(LineError::NoDialtone), "NO DIALTONE");
}

TEST(DialString, KeepsDialingCharactersOnly)
{
    EXPECT_EQ(DialString::checked("9  5551234"), QString("95551234"));
    EXPECT_EQ(DialString::checked("9 0 18005550100 $1234"), QString("9018005550100W1234"));
    EXPECT_EQ(DialString::checked("*70,,#ABCD@!PT"), QString("*70,,#ABCD@!PT"));
    EXPECT_EQ(DialString::checked(" "), QString(""));
    const QString longest(DialString::MaxDialLength, u'1');
    EXPECT_EQ(DialString::checked(longest), longest);
    EXPECT_EQ(DialString::checked(longest + " "), longest);
}

TEST(DialString, RefusesWhatCouldReachTheModemAsACommand)
{
    for (const char *hostile : {"5551234\rATZ", "5551234\nATH", "555;ATZ", "555-1234", "(212)5551234",
                                "call 911", "5551234t", "555.1234", "+15551234", "555\x01", "5551234\xc3\xa9"})
        EXPECT_FALSE(DialString::checked(QString::fromUtf8(hostile))) << hostile;
    EXPECT_FALSE(DialString::checked(QString(DialString::MaxDialLength + 1, u'1')));
}

namespace {
CallerIdBlock block(std::initializer_list<const char *> lines)
{
    CallerIdBlock b;
    for (const char *line : lines)
        EXPECT_TRUE(b.addLine(line)) << line;
    return b;
}
} // namespace

TEST(CallerIdDecoding, FormatsTenDigitNumbersAndNames)
{
    const CallerIdText t = decodeCallerId(block({"DATE=1207", "TIME = 1432", "NMBR= 2125551234", "NAME =JOHN Q PUBLIC"}),
                                          true, true);
    EXPECT_EQ(t.number, "212-555-1234");
    EXPECT_EQ(t.name, "John Q Public");
    // Eleven characters are left as delivered; without the flags nothing is changed.
    EXPECT_EQ(decodeCallerId(block({"NMBR=12125551234"}), true, true).number, "12125551234");
    const CallerIdText raw = decodeCallerId(block({"NMBR=2125551234", "NAME=mARY o'NEIL"}), false, false);
    EXPECT_EQ(raw.number, "2125551234");
    EXPECT_EQ(raw.name, "mARY o'NEIL");
    EXPECT_EQ(decodeCallerId(block({"NAME=mARY  o'NEIL"}), true, true).name, "Mary  O'neil");
    EXPECT_EQ(decodeCallerId(block({"NMBR=212-5551234"}), true, true).number, "212-5551234");
}

TEST(CallerIdDecoding, PrivateAndOutOfArea)
{
    const CallerIdText priv = decodeCallerId(block({"NMBR=P", "NAME=P"}), true, true);
    EXPECT_EQ(priv.number, "*Private");
    EXPECT_TRUE(priv.name.isEmpty());
    EXPECT_TRUE(priv.blocked);
    // A blocked or out-of-area call shows no name even when one came along.
    const CallerIdText away = decodeCallerId(block({"NMBR=O", "NAME=SOMEONE"}), true, true);
    EXPECT_EQ(away.number, "*Out of Area");
    EXPECT_TRUE(away.name.isEmpty());
    EXPECT_TRUE(away.outOfArea);
    CallerIdBlock partial = block({"NMBR=5551234"});
    partial.flags = CallerIdFlag::Partial;
    EXPECT_EQ(decodeCallerId(partial, true, true).number, "5551234, *Partial");
}

TEST(CallerIdDecoding, NetworkTextIsCleanedAndCapped)
{
    CallerIdBlock b;
    EXPECT_FALSE(b.addLine("RING"));
    EXPECT_FALSE(b.addLine("FOO=1"));
    EXPECT_TRUE(b.empty());
    ASSERT_TRUE(b.addLine("NAME=EVIL\x1b[2J\x07 CO\x7f\x85RP"));
    EXPECT_EQ(b.name, "EVIL[2J CORP");
    ASSERT_TRUE(b.addLine("NMBR=" + QByteArray(500, '5')));
    EXPECT_EQ(b.number.size(), MaxCallerIdText);
}
