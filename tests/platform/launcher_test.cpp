#include "platform/launcher.h"
#include "support/filebytes.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

TEST(Launcher, SplitsLikeAShell)
{
    EXPECT_EQ(splitShellWords("-r smith"), QStringList({"-r", "smith"}));
    EXPECT_EQ(splitShellWords("-r "), QStringList({"-r"}));
    EXPECT_EQ(splitShellWords(" "), QStringList());
    EXPECT_EQ(splitShellWords("'two words' \"dq \\\"x\\\" \\n\"  back\\ slash"),
              QStringList({"two words", "dq \"x\" \\n", "back slash"}));
    EXPECT_EQ(splitShellWords("a''b \"\" ''"), QStringList({"ab", "", ""}));
    EXPECT_EQ(splitShellWords("'it''s' C:\\\\dir"), QStringList({"its", "C:\\dir"}));
}

TEST(Launcher, StartsAProgramWithArgumentsInItsDirectory)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("tool.sh");
    WriteBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.tmp\npwd >> args.tmp\n"
                       "mv args.tmp args.txt\n");
    ASSERT_TRUE(QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner));
    QString error;
    ASSERT_TRUE(startProgram(script, {"-r", "John Smith; rm -rf x"}, dir.path() + "/", &error)) << error.toStdString();

    // Wait for the detached program to finish its file.
    const QString out = dir.filePath("args.txt");
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(out) && !deadline.hasExpired())
        QThread::msleep(20);
    const QStringList lines = QString::fromUtf8(ReadBytes(out)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 2), QStringList({"-r", "John Smith; rm -rf x"}));
    EXPECT_EQ(QFileInfo(lines.at(2)).canonicalFilePath(), QFileInfo(dir.path()).canonicalFilePath());
}

TEST(Launcher, ReportsWhatCannotStart)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(startProgram(dir.filePath("missing"), {}, QString(), &error));
    QString openError;
    EXPECT_FALSE(openWithDesktop(dir.filePath("missing.doc"), &openError));
    EXPECT_FALSE(error.isEmpty() || openError.isEmpty());
}
