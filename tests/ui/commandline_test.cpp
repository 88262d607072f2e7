#include "ui/commandline.h"

#include <QDir>
#include <gtest/gtest.h>

using CommandLine::ArgumentKind;

TEST(CommandLineTest, HideWinIsOneExactCaseSensitiveArgument)
{
    EXPECT_TRUE(CommandLine::HasHideWin({"mirabook", "a.mbd", "HIDEWIN", "b.mbd"}));
    for (const char *near : {"hidewin", "HIDEWIN2", " HIDEWIN", "-HIDEWIN"})
        EXPECT_FALSE(CommandLine::HasHideWin({"mirabook", near})) << near;
    // The program path is an argument like the others.
    EXPECT_TRUE(CommandLine::HasHideWin({"HIDEWIN"}));
}

TEST(CommandLineTest, ClassifiesByCaseSensitiveContainment)
{
    EXPECT_EQ(CommandLine::Classify(R"(Files\list.mbd)"), ArgumentKind::Database);
    // ".mbd" is tested first: the database branch, whose import then refuses it.
    EXPECT_EQ(CommandLine::Classify("/home/kim/backup.mbd.d/card.vcf"), ArgumentKind::Database);
    EXPECT_EQ(CommandLine::Classify("cards.vcf.txt"), ArgumentKind::VCard);
    for (const char *ignored : {"LIST.MBD", "CARDS.VCF", "HIDEWIN", "listmbd"})
        EXPECT_EQ(CommandLine::Classify(ignored), ArgumentKind::Ignored) << ignored;
}

TEST(CommandLineTest, ImportsSkipTheProgramPathAndResolveAgainstTheCallersDirectory)
{
    CommandLine::Request request{"/home/kim/work",
                                 {"/usr/bin/list.mbd", "a.mbd", "HIDEWIN", "../b.vcf", "/tmp/c.mbd", "LIST.MBD"}};
    const auto imports = request.Imports();
    ASSERT_EQ(imports.size(), 3);
    EXPECT_EQ(imports[0].kind, ArgumentKind::Database);
    EXPECT_EQ(imports[0].argument, "a.mbd");
    EXPECT_EQ(imports[0].path, "/home/kim/work/a.mbd");
    EXPECT_EQ(imports[1].kind, ArgumentKind::VCard);
    EXPECT_EQ(imports[1].path, "/home/kim/b.vcf");
    EXPECT_EQ(imports[2].path, "/tmp/c.mbd");

    EXPECT_TRUE(CommandLine::Request({"/x", {}}).Imports().isEmpty());
}

TEST(CommandLineTest, MessagesRoundTripWhenWhole)
{
    const CommandLine::Request request{QStringLiteral("/home/kim/Pläne"),
                                       {"mirabook", "with blank.mbd", "quote\".mbd", "", "line\nbreak.vcf"}};
    const QByteArray bytes = CommandLine::Encode(request);
    qsizetype used = -1;
    // Any cut short of the whole message gives nothing yet and consumes nothing.
    for (qsizetype cut : {qsizetype(0), qsizetype(3), qsizetype(4), bytes.size() - 1}) {
        EXPECT_FALSE(CommandLine::Decode(bytes.left(cut), &used).has_value()) << cut;
        EXPECT_EQ(used, 0) << cut;
    }
    // Two messages back to back: the first is read, the rest stays.
    const auto decoded = CommandLine::Decode(bytes + CommandLine::Encode({"/", {"x"}}), &used);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(used, bytes.size());
    EXPECT_EQ(decoded->workingDir, request.workingDir);
    EXPECT_EQ(decoded->arguments, request.arguments);
}

TEST(CommandLineTest, ForeignBytesImportNothing)
{
    qsizetype used = 0;
    // A whole message of the right length whose content is garbage: an empty request.
    QByteArray garbage("\0\0\0\3abc", 7);
    const auto decoded = CommandLine::Decode(garbage, &used);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(used, 7);
    EXPECT_TRUE(decoded->arguments.isEmpty());
    EXPECT_TRUE(decoded->Imports().isEmpty());
}
