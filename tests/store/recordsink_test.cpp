#include "store/recordfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Lines of different lengths, so the blocks end in the middle of lines.
QByteArray Sent(RecordSink &sink, int lines)
{
    QByteArray expected;
    for (int i = 0; i < lines; ++i) {
        const QByteArray line = QByteArray::number(i) + ' ' + QByteArray(i % 97, char('a' + i % 26));
        if (i % 3 == 0) {
            sink.Line(QString::fromLatin1(line));
        } else {
            sink.Bytes(line);
            sink.Bytes("\r\n");
        }
        expected += line + "\r\n";
    }
    return expected;
}

TEST(RecordSinkTest, BlocksWrittenInTheBackgroundArriveWholeAndInOrder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("out.dat"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
    QByteArray expected;
    {
        RecordSink sink(&file);
        sink.WriteInBackground(file.handle());
        sink.Line(QStringLiteral("{Params}"));
        sink.Flush();
        expected = "{Params}\r\n" + Sent(sink, 80000); // several blocks
        sink.Flush();
        expected += Sent(sink, 10);
        sink.Flush();
    }
    file.close();
    ASSERT_GT(expected.size(), 3 << 20);
    QFile back(dir.filePath("out.dat"));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), expected);
}

TEST(RecordSinkTest, AFailedBackgroundWriteIsRaisedWithTheSystemsReason)
{
    const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        GTEST_SKIP() << "no /dev/full here";
    QFile full;
    ASSERT_TRUE(full.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle));
    for (const int lines : {3, 80000}) {
        RecordSink sink(&full);
        sink.WriteInBackground(fd);
        QString raised;
        try {
            Sent(sink, lines);
            sink.Flush();
        } catch (const EInOutError &e) {
            raised = QString::fromUtf8(e.what());
        }
        EXPECT_EQ(raised, QStringLiteral("No space left on device")) << lines;
    }
}

} // namespace
