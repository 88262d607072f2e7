#include "platform/textcodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, ValidUtf8IsReadAsUtf8AndBomIsDropped)
{
    const QString s = QString::fromUtf8("Caf\u00e9 \u20ac");
    EXPECT_EQ(decodeLocalText(s.toUtf8()), s);
    EXPECT_EQ(decodeLocalText("\xEF\xBB\xBF" + s.toUtf8()), s);
}

TEST(TextCodec, OtherBytesAreWindows1252)
{
    // "Caf\xE9" is Latin e acute; 0x80 is the euro sign and 0x93/0x94 curly quotes in 1252.
    EXPECT_EQ(decodeLocalText(QByteArray("Caf\xE9 \x80 \x93x\x94")),
              QString::fromUtf8("Caf\u00e9 \u20ac \u201cx\u201d"));
    EXPECT_FALSE(isValidUtf8(QByteArray("\xC3")));
    EXPECT_TRUE(isValidUtf8(QByteArray("plain")));
    // Unassigned bytes of the code page still give a character each.
    EXPECT_EQ(decodeWindows1252(QByteArray("\x81\x8D")).size(), 2);
}
