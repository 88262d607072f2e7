// The Debian package made from the build directory, looked at as dpkg sees it.
#include "installtree.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// One member of the package as "dpkg-deb -c" lists it.
struct Member
{
    QString mode, owner, path;
};

QList<Member> Members(const QByteArray &listing)
{
    QList<Member> members;
    for (const QString &line : QString::fromUtf8(listing).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QRegularExpression("\\s+"));
        if (f.size() >= 6)
            members.append({f.at(0), f.at(1), f.mid(5).join(' ')});
    }
    return members;
}

} // namespace

TEST(PackageTest, DebianPackageHoldsTheInstallBelowUsrWithItsDependencies)
{
    QTemporaryDir out;
    const ToolRun cpack = RunTool(CPACK_COMMAND, {"-G", "DEB", "--config", MIRABOOK_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()});
    ASSERT_EQ(cpack.code, 0) << cpack.out.constData() << cpack.err.constData();
    const QString arch = QString::fromUtf8(RunTool("dpkg", {"--print-architecture"}).out.trimmed());
    const QString deb = out.filePath(QStringLiteral("mirabook_%1_%2.deb").arg(MIRABOOK_VERSION, arch));
    ASSERT_TRUE(QFileInfo::exists(deb)) << QDir(out.path()).entryList().join(' ').toStdString();

    auto field = [&](const char *name) {
        return QString::fromUtf8(RunTool("dpkg-deb", {"--field", deb, name}).out.trimmed());
    };
    EXPECT_EQ(field("Package"), "mirabook");
    EXPECT_EQ(field("Version"), MIRABOOK_VERSION);
    EXPECT_EQ(field("Architecture"), arch);
    EXPECT_FALSE(field("Maintainer").isEmpty());
    // A synopsis, then paragraphs whose lines begin with one space (two would show them as typed).
    const QStringList description = field("Description").split('\n');
    EXPECT_GT(description.size(), 2);
    for (const QString &line : description.mid(1))
        EXPECT_TRUE(QRegularExpression("^ \\S").match(line).hasMatch()) << line.toStdString();
    // The libraries the programs link, and what Qt and the help pages need at run time.
    const QString depends = field("Depends");
    for (const char *package : {"libc6", "libqt6core6", "libqt6widgets6", "qt6-qpa-plugins"})
        EXPECT_TRUE(depends.contains(QRegularExpression(QStringLiteral("(^|, )%1( |,|$)").arg(package))))
            << package << " not in " << depends.toStdString();
    EXPECT_EQ(field("Recommends"), "xdg-utils");

    const ToolRun listing = RunTool("dpkg-deb", {"--contents", deb});
    ASSERT_EQ(listing.code, 0);
    QStringList files;
    for (const Member &m : Members(listing.out)) {
        EXPECT_EQ(m.owner, "root/root") << m.path.toStdString();
        if (m.path.endsWith('/')) {
            EXPECT_EQ(m.mode, "drwxr-xr-x") << m.path.toStdString();
            continue;
        }
        files << m.path;
        const bool program = m.path.startsWith("./usr/bin/") || m.path.startsWith("./usr/libexec/");
        EXPECT_EQ(m.mode, program ? "-rwxr-xr-x" : "-rw-r--r--") << m.path.toStdString();
    }
    files.sort();
    EXPECT_EQ(files, ExpectedFiles().replaceInStrings(QRegularExpression("^"), "./usr/"));

    // The packaged programs are stripped and run.
    QTemporaryDir root;
    ASSERT_EQ(RunTool("dpkg-deb", {"--extract", deb, root.path()}).code, 0);
    for (const QByteArray program : {"mira", "mirabook"}) {
        const QString file = root.filePath("usr/bin/" + program);
        EXPECT_FALSE(RunTool("readelf", {"--section-headers", "--wide", file}).out.contains(".debug_info")) << program.constData();
        EXPECT_EQ(RunTool(file, {"--version"}).out, program + " (Mirabook) " MIRABOOK_VERSION "\n");
    }
    EXPECT_FALSE(RunTool("readelf", {"--section-headers", "--wide", root.filePath("usr/libexec/mirabook/mira")})
                     .out.contains(".debug_info"));
}
