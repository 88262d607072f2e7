#include "store/recordsource.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char('a' + (i * 7 + i / 4096) % 26);
    return bytes;
}

} // namespace

TEST(RecordSourcePagesTest, ReleasedPagesOfAMappedFileReadBackAsTheyWereAndOtherMemoryIsLeftAlone)
{
    const QByteArray expected = pattern(6 << 20);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath("big"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(expected), expected.size());
    file.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto mapped = ReadRecordSource(file, true);
    ASSERT_TRUE(mapped->mapped);
    const char *data = mapped->bytes.constData();
    mapped->ReleasePages(data + 100, data + mapped->bytes.size() - 100);
    mapped->ReleasePages(data - 8192, data + 8192); // reaching before the mapping
    EXPECT_TRUE(mapped->bytes == expected);

    // Bytes of the program's own memory are never given up.
    RecordSource own;
    own.bytes = expected;
    own.bytes.detach();
    own.ReleasePages(own.bytes.constData(), own.bytes.constData() + own.bytes.size());
    EXPECT_TRUE(own.bytes == expected);
}
