#include "platform/desktopentries.h"
#include "support/envguard.h"
#include "support/filebytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class DesktopEntriesTest : public ::testing::Test
{
protected:
    DesktopEntriesTest()
    {
        QDir(dir.path()).mkpath("user/apps");
        QDir(dir.path()).mkpath("system/apps/sub");
        QDir(dir.path()).mkpath("bin");
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QString program(const QString &name) const
    {
        const QString file = path("bin/" + name);
        WriteBytes(file, "#!/bin/sh\n");
        QFile::setPermissions(file, QFile::permissions(file) | QFile::ExeOwner);
        return file;
    }
    void entry(const QString &file, const QByteArray &exec, const QByteArray &icon, const QByteArray &extra = {})
    {
        WriteBytes(path(file), "# comment\n[Desktop Entry]\nType=Application\nName=X\nExec=" + exec + "\nIcon=" + icon +
                                   "\n" + extra + "[Desktop Action New]\nExec=/bin/other\nIcon=wrong\n");
    }
    QStringList dirs() const { return {path("user/apps"), path("system/apps")}; }
    QTemporaryDir dir;
};

} // namespace

TEST_F(DesktopEntriesTest, ExecProgramIsTheFirstWordAfterEnv)
{
    EXPECT_EQ(DesktopEntries::ExecProgram("/usr/bin/firefox %u"), "/usr/bin/firefox");
    EXPECT_EQ(DesktopEntries::ExecProgram("\"/opt/my app/run\" --x %F"), "/opt/my app/run");
    EXPECT_EQ(DesktopEntries::ExecProgram("env LANG=C GDK_BACKEND=x11 gimp-2.10 %U"), "gimp-2.10");
    EXPECT_EQ(DesktopEntries::ExecProgram("\"/opt/q\\\"uote\""), "/opt/q\"uote");
    EXPECT_EQ(DesktopEntries::ExecProgram("   "), "");
}

TEST_F(DesktopEntriesTest, TheEntryThatStartsAProgramGivesItsIcon)
{
    const QString editor = program("editor");
    const QString viewer = program("viewer");
    const QString linked = path("bin/viewer-link");
    ASSERT_TRUE(QFile::link(viewer, linked));
    const QString hidden = program("hidden");
    const QString unnamed = program("unnamed");
    entry("system/apps/editor.desktop", editor.toUtf8() + " %F", "accessories-text-editor");
    // The user's own entry comes first and wins over the system's.
    entry("user/apps/editor.desktop", editor.toUtf8(), "my-editor");
    // Named bare: found through PATH.
    entry("system/apps/sub/viewer.desktop", "viewer %U", "/usr/share/pixmaps/viewer.png");
    entry("system/apps/hidden.desktop", hidden.toUtf8(), "ghost", "Hidden=true\n");
    entry("system/apps/link.desktop", "Link", "ignored", "Type=Link\n");
    EnvGuard pathGuard("PATH", path("bin").toUtf8());

    const DesktopEntries entries(dirs());
    EXPECT_EQ(entries.IconFor(editor), "my-editor");
    EXPECT_EQ(entries.IconFor(viewer), "/usr/share/pixmaps/viewer.png");
    EXPECT_EQ(entries.IconFor(linked), "/usr/share/pixmaps/viewer.png"); // by where the link ends
    EXPECT_EQ(entries.IconFor("viewer"), "/usr/share/pixmaps/viewer.png");
    EXPECT_EQ(entries.IconFor(hidden), "");
    EXPECT_EQ(entries.IconFor(unnamed), "");
    EXPECT_EQ(entries.IconFor(path("bin/missing")), "");
    EXPECT_EQ(entries.IconFor(""), "");
}

TEST_F(DesktopEntriesTest, AnOversizedOrUnreadableFileIsNoEntry)
{
    const QString big = program("big");
    entry("system/apps/big.desktop", big.toUtf8(), "big-icon", "X-Pad=" + QByteArray(DesktopEntries::MaxEntrySize, 'p') + "\n");
    const QString piped = program("piped");
    // A pipe where an entry belongs is never waited on.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("system/apps/piped.desktop")).constData(), 0600), 0);
    const DesktopEntries entries(dirs());
    EXPECT_EQ(entries.IconFor(big), "");
    EXPECT_EQ(entries.IconFor(piped), "");
}
