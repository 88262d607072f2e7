#include "platform/launcher.h"

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
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > args.tmp\npwd >> args.tmp\nmv args.tmp args.txt\n");
    }
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    QString error;
    ASSERT_TRUE(startProgram(script, "-r 'John Smith'", dir.path() + "/", &error)) << error.toStdString();

    // Wait for the detached program to finish its file.
    const QString out = dir.filePath("args.txt");
    QDeadlineTimer deadline(20000);
    while (!QFile::exists(out) && !deadline.hasExpired())
        QThread::msleep(20);
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), "-r");
    EXPECT_EQ(lines.at(1), "John Smith");
    EXPECT_EQ(QFileInfo(lines.at(2)).canonicalFilePath(), QFileInfo(dir.path()).canonicalFilePath());
}

TEST(Launcher, ReportsWhatCannotStart)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(startProgram(dir.filePath("missing"), "", QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_FALSE(openWithDesktop(dir.filePath("missing.doc"), &error));
    EXPECT_FALSE(error.isEmpty());
}
