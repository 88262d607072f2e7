#include "platform/textcodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, Utf8WithoutItsMarkOrElseWindows1252)
{
    const QString s = QString::fromUtf8("Caf\u00e9 \u20ac");
    EXPECT_EQ(decodeLocalText("\xEF\xBB\xBF" + s.toUtf8()), s);
    EXPECT_EQ(decodeLocalText(QByteArray("Caf\xE9 \x80 \x93x\x94")), QString::fromUtf8("Caf\u00e9 \u20ac \u201cx\u201d"));
    // Each line by itself: one byte that is not UTF-8 leaves the other lines' accents alone.
    EXPECT_EQ(decodeLocalText(QByteArray("Caf\xC3\xA9\r\n\x80uro \xE9t\xE9\nna\xC3\xAFve")),
              QString::fromUtf8("Caf\u00e9\r\n\u20acuro \u00e9t\u00e9\nna\u00efve"));
    // Unassigned bytes of the code page still give a character each.
    EXPECT_EQ(decodeWindows1252(QByteArray("\x81\x8D")).size(), 2);
}
