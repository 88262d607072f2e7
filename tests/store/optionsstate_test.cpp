#include "store/optionsstate.h"
#include "store/toolitems.h"
#include "support/fakeservices.h"
#include "support/filebytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString makeFile(const QTemporaryDir &dir, const QString &name, bool executable)
{
    const QString path = dir.filePath(name);
    WriteBytes(path, "#!/bin/sh\n");
    QFile::setPermissions(path, executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                           : QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

class OptionsStateTest : public ::testing::Test
{
protected:
    OptionsStateTest()
    {
        tools.Add(std::make_unique<TToolItem>("Notes", "/opt/notes", "-a", "1"));
        tools.Add(std::make_unique<TToolItem>("Twin", "/opt/twin1", "", "0"));
        tools.Add(std::make_unique<TToolItem>("Twin", "/opt/twin2", "", "0"));
    }
    TToolItems tools;
    FakeServices services;
    OptionsState state{Settings::Options(), tools, services};
};

} // namespace

TEST(OptionsStateMail, StoredValuesAndButtons)
{
    EXPECT_EQ(OptionsState::MailButtonFor(1), 1);
    EXPECT_EQ(OptionsState::MailButtonFor(3), 3);
    EXPECT_EQ(OptionsState::MailButtonFor(7), 0);
    EXPECT_EQ(OptionsState::MailButtonFor(0), 0);
    EXPECT_EQ(OptionsState::MailMethodFor(true, false), 1);
    EXPECT_EQ(OptionsState::MailMethodFor(false, true), 2);
    EXPECT_EQ(OptionsState::MailMethodFor(false, false), 3);
}

TEST_F(OptionsStateTest, EditsReachTheToolShownWhenTheyBegan)
{
    OptionsState::ToolFields fields = state.SelectTool(0);
    EXPECT_EQ(fields.caption, "Notes");
    EXPECT_TRUE(fields.allowAddress);
    fields.caption = "Notebook";
    fields.arguments = "-b";
    fields.fileName = "/opt/other";
    // Leaving the description: the file name is not taken, and no icon is fetched.
    EXPECT_TRUE(state.CommitTool(fields, OptionsState::Field::Description));
    EXPECT_EQ(tools.Items(0)->Caption(), "Notebook");
    EXPECT_EQ(tools.Items(0)->Arguments(), "-b");
    EXPECT_EQ(tools.Items(0)->FileName(), "/opt/notes");
    EXPECT_FALSE(state.CommitTool(fields, OptionsState::Field::Arguments));
    EXPECT_TRUE(services.calls.filter("icon").isEmpty());
    EXPECT_TRUE(state.CommitTool(fields, OptionsState::Field::FileName));
    EXPECT_EQ(tools.Items(0)->FileName(), "/opt/other");
    EXPECT_EQ(services.calls.filter("icon"), QStringList{"icon /opt/other"});

    // Nothing shown, nothing changed.
    state.SelectTool(99);
    EXPECT_FALSE(state.CommitTool({"X", "/x", "", false}, OptionsState::Field::FileName));
    EXPECT_EQ(tools.Items(0)->Caption(), "Notebook");
    EXPECT_EQ(state.ShownRow(), -1);
}

TEST_F(OptionsStateTest, DeleteTakesTheShownToolItself)
{
    state.SelectTool(2);
    EXPECT_EQ(state.ShownRow(), 2);
    ASSERT_TRUE(state.DeleteShownTool());
    ASSERT_EQ(tools.Count(), 2);
    EXPECT_EQ(tools.Items(1)->FileName(), "/opt/twin1"); // the first twin stays
    EXPECT_EQ(state.ShownTool(), nullptr);
    EXPECT_FALSE(state.DeleteShownTool());
    EXPECT_EQ(tools.Count(), 2);
}

TEST_F(OptionsStateTest, ANewToolIsAnyExecutableFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(state.NewTool(makeFile(dir, "readme.txt", false)));
    EXPECT_FALSE(state.NewTool(makeFile(dir, "plain.exe", false)));
    EXPECT_FALSE(state.NewTool(dir.path())); // a directory is "executable" too, but no program
    EXPECT_FALSE(state.NewTool(QString()));
    EXPECT_EQ(tools.Count(), 3);

    ASSERT_TRUE(state.NewTool(makeFile(dir, "firefox", true)));
    EXPECT_EQ(tools.Count(), 4);
    EXPECT_EQ(state.ShownRow(), 3);
    EXPECT_EQ(tools.Items(3)->Caption(), "firefox");
    EXPECT_EQ(tools.Items(3)->FileName(), dir.filePath("firefox"));
    EXPECT_FALSE(tools.Items(3)->AllowAddress());
    EXPECT_TRUE(state.NewTool(makeFile(dir, "notes.EXE", true)));
    EXPECT_EQ(tools.Items(4)->Caption(), "notes");
    EXPECT_EQ(OptionsState::ToolCaption("/opt/a.b"), "a.b");
}

TEST_F(OptionsStateTest, CategoryNamesAreNeverEmptied)
{
    EXPECT_EQ(state.SelectCategory(4), "User Defined 5");
    EXPECT_FALSE(state.CommitCategoryName(""));
    EXPECT_FALSE(state.CommitCategoryName("   \t "));
    EXPECT_EQ(state.options.categoryNames.at(4), "User Defined 5");
    EXPECT_TRUE(state.CommitCategoryName("  Golf\nclub "));
    EXPECT_EQ(state.options.categoryNames.at(4), "Golf club");
    EXPECT_FALSE(state.CommitCategoryName("Golf club"));

    EXPECT_EQ(state.SelectCategory(32), "");
    EXPECT_EQ(state.SelectedCategory(), -1);
    EXPECT_FALSE(state.CommitCategoryName("Nowhere"));
    EXPECT_FALSE(state.options.categoryNames.contains("Nowhere"));
}
