#include <gtest/gtest.h>

#include "store/fieldcodec.h"
#include "store/linescan.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>

namespace {

// Bytes from the given alphabet, long enough to cross two or three vector lanes,
// laid after a random offset so lanes start anywhere in the text.
struct Texts
{
    quint32 state = 2024;
    quint32 next(quint32 n)
    {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % n;
    }
    QByteArray make(const QByteArray &alphabet)
    {
        QByteArray s(qsizetype(next(50)), '\0');
        for (char &c : s)
            c = alphabet.at(next(quint32(alphabet.size())));
        return s;
    }
};

QString describe(const QByteArray &s) { return QString::fromLatin1(s.toPercentEncoding()); }

TEST(LineScanTest, HeaderScanAndFieldSplitAgreeWithTheTextSplitter)
{
    Texts texts;
    for (int round = 0; round < 20000; ++round) {
        const QByteArray text = texts.make(round % 3 ? "~~~a\r\n" : "~aaaaaaaaaaaa\n");
        SCOPED_TRACE(describe(text).toStdString());
        const char *p = text.constData();
        const char *end = p + text.size();
        const qsizetype lineEnd = std::find_if(p, end, [](char c) { return c == '\r' || c == '\n'; }) - p;
        ASSERT_EQ(LineScan::FindLineEnd(p, end) - p, lineEnd);

        // The reference: the fields of the line's text as the record reader splits text.
        const QString line = QString::fromLatin1(p, lineEnd);
        FieldViews views;
        SplitFieldViews(line, views);
        const LineScan::HeaderLine header = LineScan::ScanHeaderLine(p, end);
        ASSERT_EQ(header.end - p, lineEnd);
        ASSERT_EQ(header.separators, views.size() - 1);
        ASSERT_EQ(header.lastField - p, views.back().data() - line.data());

        LineScan::Fields fields;
        LineScan::SplitFields(p, p + lineEnd, fields);
        ASSERT_EQ(fields.size(), views.size());
        for (qsizetype i = 0; i < fields.size(); ++i) {
            ASSERT_EQ(fields[i].begin - p, views[i].data() - line.data()) << i;
            ASSERT_EQ(fields[i].end - fields[i].begin, views[i].size()) << i;
        }

        const char *after = LineScan::SkipLineEnd(p + lineEnd, end);
        const qsizetype expected = text.mid(lineEnd, 2) == "\r\n" ? lineEnd + 2 : std::min(lineEnd + 1, text.size());
        ASSERT_EQ(after - p, expected);
    }
}

TEST(LineScanTest, AsciiCheckFindsAHighByteAnywhere)
{
    Texts texts;
    for (int round = 0; round < 20000; ++round) {
        const QByteArray text = texts.make(round % 2 ? QByteArray("a\x7f~\r") : QByteArray(40, 'a') + "\x80\xff\xc3");
        const qsizetype firstHigh =
            std::find_if(text.begin(), text.end(), [](char c) { return uchar(c) >= 0x80; }) - text.begin();
        ASSERT_EQ(LineScan::IsAscii(text.constData(), text.size()), firstHigh == text.size())
            << describe(text).toStdString();
        // Only the n bytes asked about count.
        ASSERT_TRUE(LineScan::IsAscii(text.constData(), firstHigh));
    }
}

TEST(LineScanTest, ParseIntReadsWhatToIntReads)
{
    const QStringList inputs = {
        "", " ", "\t", "0", "-0", "+0", "12", " 12", "12 ", "\t12\t", "\n12\r", "\v12\f", " \r\n 7 \t",
        "1 2", "+", "-", "+-1", "--1", "- 1", "+ 1", "+12", "-12", "007", "-007",
        "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967296", "4294967308",
        "00000000000000000002147483647", "99999999999999999999", "-99999999999999999999",
        "0x10", "1e3", "1.0", "1,000", "1_000", "12a", "a12", "1 ", " -1",
        QString::fromUtf8("\u00a012"), QString::fromUtf8("12\u00a0"), QString::fromUtf8("1\u00a02"),
        QString::fromUtf8("\u200912"), QString::fromUtf8("\u300012"), QString::fromUtf8("\u008512"),
        QString::fromUtf8("\u001c12"), QString::fromUtf8("\uff11\uff12"), QString::fromUtf8("\u0661\u0662"),
        QString::fromUtf8("\u00b2"), QString::fromUtf8("\u22121"), QString::fromUtf8("\uff0d1"),
    };
    for (const QString &input : inputs) {
        bool ok = false;
        const int expected = QStringView(input).toInt(&ok, 10);
        int value = -77;
        EXPECT_EQ(ParseInt(input, value), ok) << input.toStdString();
        if (ok) {
            EXPECT_EQ(value, expected) << input.toStdString();
        }
    }
}

} // namespace
