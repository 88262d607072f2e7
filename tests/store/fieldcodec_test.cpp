#include "store/fieldcodec.h"

#include <gtest/gtest.h>

#include <limits>

TEST(FieldCodec, SplitKeepsEveryEmptyField)
{
    const struct { const char *line; QStringList fields; } cases[] = {
        {"", {""}}, {"~~~~", {"", "", ""}}, {"a~~b~~c", {"a", "b", "c"}},
        {"a~~~b", {"a", "~b"}}, // the first separator from the left wins
    };
    for (const auto &c : cases) {
        QStringList l;
        SplitFields(c.line, l);
        EXPECT_EQ(l, c.fields) << c.line;
    }
}

TEST(FieldCodec, HostileValuesSurviveAJoinedRecord)
{
    const QStringList hostile{"a~~b", "line\r\nbreak", "~lead", "trail~", "~", "~~", "%7E~", "\n", "a~~~b~", "50%"};
    for (const QString &v : hostile) {
        const QString enc = EncodeField(v);
        EXPECT_FALSE(enc.contains("~~") || enc.contains('\n') || enc.contains('\r') || enc.endsWith('~')) << v.toStdString();
        // Between neighbours that end and start plainly, the split gives the value back.
        const QStringList back = SplitDecoded("x~~" + enc + "~~" + enc + "~~y");
        ASSERT_EQ(back.size(), 4) << v.toStdString();
        EXPECT_EQ(back[1], v);
        EXPECT_EQ(back[2], v);
    }
}

TEST(FieldCodec, FieldsWrittenAsUtf8AreTheEncodedTextsBytes)
{
    // Plain, encoded, non-ASCII (narrowing them byte by byte would mangle them) and a
    // "~~" or a line break after the first character.
    const QStringList values{"", "plain", "Jürgen Müller", "a~~b", "x\ny", "~lead", "trail~", "~", "日本~~語",
                             "ü\r\n", "50% ~ ok", QString::fromUtf8("\xF0\x9F\x98\x80 emoji")};
    for (const QString &v : values) {
        QByteArray out = "head|";
        AppendEncodedField(out, v);
        EXPECT_EQ(out, "head|" + EncodeField(v).toUtf8()) << v.toStdString();
        EXPECT_EQ(DecodeField(QString::fromUtf8(out.mid(5))), v) << v.toStdString();
        // The same from the value's UTF-8, within the room said.
        const QByteArray utf8 = v.toUtf8();
        QByteArray room(EncodedFieldRoom(utf8.size()), '?');
        const char *end = WriteEncodedField(room.data(), utf8);
        EXPECT_EQ(QByteArray(room.constData(), end - room.constData()), out.mid(5)) << v.toStdString();
    }
    // Fields are looked at several characters at a time: a character that needs more than
    // narrowing is found wherever it stands in a long field, and at either end.
    for (const QString &odd : {QString("~~"), QString("\r"), QString("\n"), QString("ü"), QString("日"), QString("~")}) {
        for (int length : {7, 8, 9, 16, 17, 40}) {
            for (int at = 0; at < length; ++at) {
                QString v(length, u'a');
                v.replace(at, 1, odd);
                QByteArray out = "x";
                AppendEncodedField(out, v);
                EXPECT_EQ(out, "x" + EncodeField(v).toUtf8()) << v.toStdString();
                const QByteArray utf8 = v.toUtf8();
                QByteArray room(EncodedFieldRoom(utf8.size()), '?');
                const char *end = WriteEncodedField(room.data(), utf8);
                EXPECT_EQ("x" + QByteArray(room.constData(), end - room.constData()), out) << v.toStdString();
            }
        }
    }
}

TEST(FieldCodec, NumbersAreWrittenAsTheirDecimalDigits)
{
    for (qint64 n : {qint64(0), qint64(7), qint64(10), qint64(99), qint64(100), qint64(101), qint64(-5), qint64(-10),
                     qint64(2147450879), std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min()}) {
        QByteArray out = "x";
        AppendNumber(out, n);
        EXPECT_EQ(out, "x" + QByteArray::number(n)) << n;
    }
    for (qint64 n = -1000; n < 200000; n += 7) {
        QByteArray out;
        AppendNumber(out, n);
        ASSERT_EQ(out, QByteArray::number(n)) << n;
    }
}
