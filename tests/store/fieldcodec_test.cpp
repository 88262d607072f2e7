#include "store/fieldcodec.h"

#include <gtest/gtest.h>

TEST(FieldCodec, SplitKeepsEveryEmptyField)
{
    QStringList l;
    SplitFields("", l);
    EXPECT_EQ(l, QStringList{""});
    l.clear();
    SplitFields("~~~~", l);
    EXPECT_EQ(l, (QStringList{"", "", ""}));
    l.clear();
    SplitFields("a~~b~~c", l);
    EXPECT_EQ(l, (QStringList{"a", "b", "c"}));
    l.clear();
    SplitFields("a~~~b", l); // the first separator from the left wins
    EXPECT_EQ(l, (QStringList{"a", "~b"}));
}

TEST(FieldCodec, PlainValuesAreWrittenUnchanged)
{
    for (const char *v : {"", "Kim Sample", "a~b", " x ", "100%", "C:\\dir\\file.mbd", "~"}) {
        if (QString(v) == "~")
            continue;
        EXPECT_EQ(EncodeField(v), QString(v));
        EXPECT_EQ(DecodeField(v), QString(v));
    }
}

TEST(FieldCodec, HostileValuesSurviveAJoinedRecord)
{
    const QStringList hostile{"a~~b", "line\r\nbreak", "~lead", "trail~", "~", "~~", "%7E~", "\n", "a~~~b~", "50%"};
    for (const QString &v : hostile) {
        const QString enc = EncodeField(v);
        EXPECT_FALSE(enc.contains("~~")) << v.toStdString();
        EXPECT_FALSE(enc.contains('\n') || enc.contains('\r'));
        EXPECT_FALSE(enc.endsWith('~'));
        // Between neighbours that end and start plainly, the split gives the value back.
        const QString line = "x~~" + enc + "~~" + enc + "~~y";
        const QStringList back = SplitDecoded(line);
        ASSERT_EQ(back.size(), 4) << v.toStdString();
        EXPECT_EQ(back[1], v);
        EXPECT_EQ(back[2], v);
    }
}
