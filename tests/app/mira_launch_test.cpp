#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome
{
    int code;
    QByteArray out, err;
};

Outcome run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

TEST(MiraLaunchTest, TheCommandStartsTheToolBesideItOrSaysItIsMissing)
{
    // Its words reach the tool as given, a blank and a letter beyond ASCII included.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString home = dir.filePath(QString::fromUtf8("home with ü"));
    ASSERT_TRUE(QDir().mkpath(home));
    const Outcome list = run(QStringLiteral(MIRA_CLI), {"--home", home, "list"});
    EXPECT_EQ(list.code, 2);
    EXPECT_EQ(QString::fromUtf8(list.err), "mira: no database in " + home + "\n");

    // Copied away from the tool, it cannot start it and says what is missing.
    const QString alone = dir.filePath("mira");
    ASSERT_TRUE(QFile::copy(QStringLiteral(MIRA_CLI), alone));
    const Outcome missing = run(alone, {"--version"});
    EXPECT_EQ(missing.code, 127);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_TRUE(missing.err.contains("libexec/mirabook/mira is missing")) << missing.err.constData();
}

} // namespace
