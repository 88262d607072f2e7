#include "platform/profile.h"
#include "store/databasecontext.h"
#include "store/toolitems.h"
#include "support/fakeservices.h"
#include "support/filebytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ToolItemsTest : public ::testing::Test
{
protected:
    ToolItemsTest() { context.SetServices(&services); }
    static QStringList parts(const TToolItem *t)
    {
        return {t->Caption(), t->FileName(), t->Arguments(), t->AllowAddress() ? "1" : "0"};
    }
    QString iniPath() const { return dir.filePath("zeb.ini"); }
    void writeIni(const QByteArray &bytes) const { WriteBytes(iniPath(), bytes); }
    QTemporaryDir dir;
    FakeServices services;
    DatabaseContext context;
    TToolItems tools{&context};
};

} // namespace

TEST_F(ToolItemsTest, LoadTakesEveryKeyInFileOrderWithExactlyFourParts)
{
    writeIni("[Tools]\r\n"
             "Tool5=Notes,/usr/bin/notes,-r,1\r\n"
             "Whatever=\"My, tool\",/opt/my tool/run,,0\r\n"
             "Tool0=three,parts,only\r\n"
             "Tool1=a,b,c,d,e\r\n"
             "Tool2=Yes,/bin/yes,,yes\r\n"
             "TOOL5=Again,/bin/again,,1\r\n"
             "[Other]\r\nTool9=x,y,z,1\r\n");
    tools.Load(Profile(iniPath()));
    ASSERT_EQ(tools.Count(), 3);
    QStringList got; // only "1" allows the address
    for (int i = 0; i < 3; ++i)
        got << parts(tools.Items(i)).join(u'|');
    EXPECT_EQ(got, QStringList({"Notes|/usr/bin/notes|-r|1", "My, tool|/opt/my tool/run||0", "Yes|/bin/yes||0"}));
    EXPECT_EQ(tools.Items(3), nullptr);
    // Each tool fetched its program's icon into a pair of its own.
    EXPECT_EQ(tools.Items(1)->ImageIndex(), 17);
}

TEST_F(ToolItemsTest, SaveRewritesTheSectionAndSurvivesAReload)
{
    writeIni("[Tools]\r\nTool0=old,/x,,0\r\nTool7=old2,/y,,0\r\nExtra=z\r\n[Browser]\r\nDDE=Mosaic\r\n");
    tools.Add(std::make_unique<TToolItem>("My, \"best\" tool", "/opt/a b/run", "-x  --y", "1"));
    tools.Add(std::make_unique<TToolItem>("", "/bin/true", "", "0"));
    tools.Add(std::make_unique<TToolItem>("Third", "/bin/third", "", "1"));
    {
        Profile p(iniPath());
        ASSERT_TRUE(tools.Save(p)) << p.errorString().toStdString();
    }
    Profile p(iniPath());
    EXPECT_EQ(p.sectionKeys("Tools"), QStringList({"Tool0", "Tool1", "Tool2"}));
    EXPECT_EQ(p.readString("Tools", "Tool1"), ",/bin/true,,0");
    EXPECT_EQ(p.readString("Browser", "DDE"), "Mosaic");

    TToolItems again;
    again.Load(p);
    ASSERT_EQ(again.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(parts(again.Items(i)), parts(tools.Items(i)));
}

TEST_F(ToolItemsTest, DeleteAndFindMatchExactly)
{
    tools.Add(std::make_unique<TToolItem>("Notes", "/bin/notes", "", "0"));
    tools.Add(std::make_unique<TToolItem>("notes", "/bin/Notes", "", "0"));
    tools.Add(std::make_unique<TToolItem>("Notes", "/bin/notes2", "", "0"));
    EXPECT_EQ(tools.FindByFileName("/bin/Notes"), tools.Items(1));
    EXPECT_EQ(tools.FindByFileName("/bin/NOTES"), nullptr);
    EXPECT_FALSE(tools.Delete("NOTES"));
    EXPECT_TRUE(tools.Delete("Notes")); // the first of that caption only
    ASSERT_EQ(tools.Count(), 2);
    EXPECT_EQ(tools.Items(1)->FileName(), "/bin/notes2");
}

TEST_F(ToolItemsTest, ArgumentsAreTheToolsWordsThenTheAddressAsOneArgument)
{
    // The menu entry starts without arguments; the address is never split.
    TToolItem tool("Notes", "/opt/tools/notes", "-r 'two words'", "1");
    TToolItem bare("Bare", "/opt/bare", "", "0");
    services.calls.clear();
    tool.Click(services);
    tool.Launch(services, "");
    tool.Launch(services, "John Smith");
    bare.Launch(services, "");
    bare.Launch(services, "a;b");
    EXPECT_EQ(services.calls, QStringList({"start /opt/tools/notes||/opt/tools/",
                                           "start /opt/tools/notes|<-r><two words>|/opt/tools/",
                                           "start /opt/tools/notes|<-r><two words><John Smith>|/opt/tools/",
                                           "start /opt/bare||/opt/", "start /opt/bare|<a;b>|/opt/"}));
    EXPECT_EQ(FolderPart("/bin/other"), "/bin/");
    EXPECT_EQ(FolderPart("other"), "");
}

TEST_F(ToolItemsTest, ConfiguredMeansThatProgramWithThoseArguments)
{
    tools.Add(std::make_unique<TToolItem>("Notes", "/bin/notes", "-r", "0"));
    EXPECT_TRUE(tools.IsConfigured("/bin/notes", "-r"));
    EXPECT_FALSE(tools.IsConfigured("/bin/notes", "-r -x"));
    EXPECT_FALSE(tools.IsConfigured("/bin/notes2", "-r"));
}

TEST_F(ToolItemsTest, AToolShowsItsProgramsPicture)
{
    TToolItem *tool = tools.Add(std::make_unique<TToolItem>("Notes", "/bin/notes", "", "0"));
    const int first = tool->ImageIndex();
    ASSERT_NE(first, 13);
    tool->SetFileName("/bin/other", services);
    EXPECT_NE(tool->ImageIndex(), first);
    EXPECT_EQ(services.calls.last(), QStringLiteral("icon /bin/other"));
    // Back to the first program: its picture, no new one.
    tool->SetFileName("/bin/notes", services);
    EXPECT_EQ(tool->ImageIndex(), first);
}

TEST_F(ToolItemsTest, ALongValueIsReadWhole)
{
    // Longer than the settings file's usual read limit: cut, the tool would be dropped
    // and then erased by the save at exit.
    const QString longArgs = "--opt=" + QString(1500, u'x');
    writeIni("[Tools]\r\nTool0=Long,/opt/long," + longArgs.toUtf8() + ",1\r\n");
    tools.Load(Profile(iniPath()));
    ASSERT_EQ(tools.Count(), 1);
    EXPECT_EQ(tools.Items(0)->Arguments(), longArgs);
    {
        Profile p(iniPath());
        ASSERT_TRUE(tools.Save(p));
    }
    TToolItems again;
    again.Load(Profile(iniPath()));
    ASSERT_EQ(again.Count(), 1);
    EXPECT_EQ(again.Items(0)->Arguments(), longArgs);
}

TEST_F(ToolItemsTest, AToolTheFileCannotHoldIsReportedAndTheOthersAreKept)
{
    tools.Add(std::make_unique<TToolItem>("First", "/bin/first", "", "0"));
    tools.Add(std::make_unique<TToolItem>("Two\nlines", "/bin/two", "", "0"));
    tools.Add(std::make_unique<TToolItem>("Last", "/bin/last", "", "1"));
    Profile p(iniPath());
    EXPECT_FALSE(tools.Save(p));
    EXPECT_FALSE(p.errorString().isEmpty());
    TToolItems again;
    again.Load(Profile(iniPath()));
    ASSERT_EQ(again.Count(), 2);
    EXPECT_EQ(again.Items(1)->Caption(), "Last");
}
