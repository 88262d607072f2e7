#include "platform/profile.h"
#include "support/filebytes.h"
#include "uitestutil.h"

#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MainWinStateTest : public ::testing::Test
{
protected:
    QString iniPath() const { return dir.filePath("zeb.ini"); }
    void writeIni(const QByteArray &text) { WriteBytes(iniPath(), text); }
    QTemporaryDir dir;
    FakeWindow window;
};

} // namespace

TEST_F(MainWinStateTest, FreshStartUsesTheDefaultsAndToggleKeepsTheUsersChangesToEachLayout)
{
    const Profile profile(iniPath());
    TMainWinState state(window, profile);
    EXPECT_FALSE(state.AlternateActive());
    const TWinLayout &n = state.Normal();
    EXPECT_TRUE(n.Toolbar && n.Newbar && n.Findbar && n.Tipbar && n.Statusbar);
    EXPECT_EQ(QRect(n.Left, n.Top, n.Width, n.Height), QRect(0, 0, 640, 480));
    EXPECT_EQ(n.Split, 201);
    // The alternate layout is a narrow window with the status bar only and no tree.
    const TWinLayout &a = state.Alternate();
    EXPECT_FALSE(a.Toolbar || a.Newbar || a.Findbar || a.Tipbar);
    EXPECT_TRUE(a.Statusbar);
    EXPECT_EQ(QSize(a.Width, a.Height), QSize(300, 480));
    EXPECT_EQ(a.Split, 1);

    state.Apply();
    EXPECT_EQ(window.current, TWinLayout::NormalDefaults());
    window.current.Width = 700; // the user resizes
    window.current.Tipbar = false; // and closes the tip bar
    state.Toggle();
    EXPECT_TRUE(state.AlternateActive());
    EXPECT_EQ(window.current, TWinLayout::AlternateDefaults());

    window.current.Left = 33;
    state.Toggle();
    EXPECT_EQ(window.current.Width, 700);
    EXPECT_FALSE(window.current.Tipbar);
    state.Toggle();
    EXPECT_EQ(window.current.Left, 33);
    EXPECT_EQ(window.current.Width, 300);
}

TEST_F(MainWinStateTest, ReadsTheKeysOfBothRecordsCaseInsensitively)
{
    writeIni("[winstate]\r\nNorm_Toolbar=0\r\nnorm_width=0x320\r\nNorm_Style=4\r\nNorm_Tipbar=7\r\n"
             "ALT_SPLIT=55\r\nAlt_Toolbar=1\r\nAlt_Height=junk\r\n");
    const Profile profile(iniPath());
    TMainWinState state(window, profile);
    EXPECT_FALSE(state.Normal().Toolbar);
    EXPECT_TRUE(state.Normal().Tipbar); // Booleans are "not 0"
    EXPECT_EQ(state.Normal().Width, 800);
    EXPECT_EQ(state.Normal().Style, 4);
    EXPECT_EQ(state.Normal().Height, 480); // missing: default
    EXPECT_EQ(state.Alternate().Split, 55);
    EXPECT_TRUE(state.Alternate().Toolbar);
    EXPECT_EQ(state.Alternate().Width, 300);
}

TEST_F(MainWinStateTest, NothingIsWrittenUntilTheEndAndThenAll28Keys)
{
    writeIni("[Other]\r\nKeep=1\r\n");
    Profile profile(iniPath());
    TMainWinState state(window, profile);
    state.Apply();
    state.Toggle();
    state.Toggle();
    EXPECT_FALSE(profile.hasPendingChanges());
    EXPECT_FALSE(Profile(iniPath()).hasSection("WinState"));

    state.Toggle(); // ends in the alternate layout
    window.current.Height = 999;
    window.current.Style = 3;
    state.Finish(profile);
    ASSERT_TRUE(profile.save());

    const Profile written(iniPath());
    EXPECT_EQ(written.sectionKeys("WinState").size(), 28);
    EXPECT_EQ(written.readString("WinState", "Alt_Height"), "999");
    EXPECT_EQ(written.readString("WinState", "Alt_Style"), "3");
    EXPECT_EQ(written.readString("WinState", "Alt_Toolbar"), "0");
    EXPECT_EQ(written.readString("Other", "Keep"), "1");

    // The next run reads back what was written, and starts in the normal layout.
    TMainWinState next(window, written);
    EXPECT_FALSE(next.AlternateActive());
    EXPECT_EQ(next.Alternate().Height, 999);
    EXPECT_EQ(next.Normal(), state.Normal());
}
