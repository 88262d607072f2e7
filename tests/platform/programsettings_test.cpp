#include "platform/profile.h"
#include "platform/programsettings.h"
#include "support/filebytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Settings;

TEST(ProgramSettings, AFreshInstallationReadsTheDefaults)
{
    QTemporaryDir dir;
    const Options o = Options::Read(Profile(dir.filePath("zeb.ini")));
    EXPECT_EQ(o.browserPath, "");
    EXPECT_EQ(o.browserDde, "IExplore");
    EXPECT_EQ(o.mailMethod, 1);
    EXPECT_FALSE(o.callerId);
    ASSERT_EQ(o.categoryNames.size(), 32);
    EXPECT_EQ(o.categoryNames.front(), "User Defined 1");
    EXPECT_EQ(o.categoryNames.back(), "User Defined 32");
    EXPECT_EQ(CallerHistorySize(Profile(dir.filePath("zeb.ini")), 500), 50);
}

TEST(ProgramSettings, OddValuesReadSafely)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zeb.ini");
    const QByteArray longName(3000, 'x');
    WriteBytes(path, CrLf({"[Settings]", "INetMail=abc", "CallerId=yes", "CallerHistory=99999", "[Browser]",
                           "DDE=   ", "Path=  /opt/Web Browser/run.EXE  ", "[Categories]", "Cat1=   ",
                           "Cat2=Tab\there", "Cat3=" + longName, "Cat4=Friends", "Cat4=Second"}));
    Profile profile(path);
    const Options o = Options::Read(profile);
    EXPECT_EQ(o.mailMethod, 0); // no radio button; see the state's tests
    EXPECT_FALSE(o.callerId);
    EXPECT_EQ(o.browserDde, "IExplore");
    EXPECT_EQ(o.browserPath, "/opt/Web Browser/run.EXE");
    EXPECT_EQ(BrowserProgram(profile), "/opt/Web Browser/run");
    EXPECT_EQ(o.categoryNames.at(0), "User Defined 1"); // blanks only are no name
    EXPECT_EQ(o.categoryNames.at(1), "Tab here");
    EXPECT_EQ(o.categoryNames.at(2).size(), Profile::MaxValueLength);
    EXPECT_EQ(o.categoryNames.at(3), "Friends");
    EXPECT_EQ(CallerHistorySize(profile, 500), 500);

    WriteBytes(path, CrLf({"[Settings]", "INetMail=0x3", "CallerId=0x1", "CallerHistory=-4"}));
    Profile hex(path);
    EXPECT_EQ(MailMethodOf(hex), 3);
    EXPECT_TRUE(CallerIdOn(hex));
    EXPECT_EQ(CallerHistorySize(hex, 500), 0);
}

TEST(ProgramSettings, OnlyATrailingExeIsDropped)
{
    EXPECT_EQ(ProgramFromPath("/usr/bin/firefox"), "/usr/bin/firefox");
    EXPECT_EQ(ProgramFromPath("C:\\Browser\\run.exe"), "C:\\Browser\\run");
    EXPECT_EQ(ProgramFromPath("/opt/x.exe.sh"), "/opt/x.exe.sh");
    EXPECT_EQ(ProgramFromPath("/opt/tool.Exe"), "/opt/tool");
    EXPECT_EQ(ProgramFromPath(""), "");
}

TEST(ProgramSettings, WritingKeepsWhatItDoesNotOwn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("zeb.ini");
    WriteBytes(path, CrLf({"; kept comment", "[WinState]", "Norm_Left=12", "[Browser]", "DebugPort=9333", "Path=/old",
                           "[Categories]", "Cat1=Old", "Stray=gone with the section", "[Mine]", "Unknown=stays"}));
    Profile profile(path);
    Options o = Options::Read(profile);
    o.browserPath = "/usr/bin/web\nbrowser";
    o.browserDde = "NETSCAPE";
    o.mailMethod = 2;
    o.callerId = true;
    o.categoryNames[4] = "Line\r\nbreak";
    o.categoryNames[5] = "  ";
    ASSERT_TRUE(o.Write(profile)) << profile.errorString().toStdString();

    const QByteArray bytes = ReadBytes(path);
    EXPECT_TRUE(bytes.startsWith("; kept comment\r\n[WinState]\r\nNorm_Left=12\r\n"));
    EXPECT_TRUE(bytes.contains("DebugPort=9333\r\n"));
    EXPECT_TRUE(bytes.contains("[Mine]\r\nUnknown=stays\r\n"));
    EXPECT_FALSE(bytes.contains("Stray"));
    EXPECT_TRUE(bytes.contains("[Categories]\r\nCat1=Old\r\nCat2=User Defined 2\r\n"));

    Profile again(path);
    const Options back = Options::Read(again);
    EXPECT_EQ(back.browserPath, "/usr/bin/web browser");
    EXPECT_EQ(back.browserDde, "NETSCAPE");
    EXPECT_EQ(back.mailMethod, 2);
    EXPECT_TRUE(back.callerId);
    EXPECT_EQ(back.categoryNames.at(4), "Line  break");
    EXPECT_EQ(back.categoryNames.at(5), "User Defined 6");
    EXPECT_EQ(again.sectionKeys("Categories").size(), 32);
    EXPECT_EQ(again.readString("Categories", "Cat32"), "User Defined 32");
}

TEST(ProgramSettings, AFileThatCannotBeWrittenIsReported)
{
    QTemporaryDir dir;
    WriteBytes(dir.filePath("plain"), "not a directory");
    Profile profile(dir.filePath("plain/zeb.ini"));
    Options o;
    EXPECT_FALSE(o.Write(profile));
    EXPECT_FALSE(profile.errorString().isEmpty());
}
