#include "platform/profile.h"
#include "store/kinds.h"
#include "store/recordfile.h"
#include "store/toolitems.h"
#include "support/filebytes.h"
#include "support/storefixture.h"
#include "ui/programend.h"
#include "uitestutil.h"

using ProgramEndTest = StoreFixture;

TEST_F(ProgramEndTest, AFailedDatabaseSaveWritesNothingElseAndASuccessfulOneWritesAll)
{
    add(ItemKind::Folder, "Friends", nullptr);
    context().Tools().Add(std::make_unique<TToolItem>("Notes", "/usr/bin/notes", "-n", "1"));
    FakeWindow window;
    window.current.Width = 812;
    const QString ini = dir.filePath("zeb.ini");
    Profile profile(ini);
    TMainWinState state(window, profile);
    // The saved database of an earlier run must survive a failed save.
    WriteBytes(RecordFile::DatabaseName, "{Params}\r\n");
    for (auto step : {RecordFile::SaveStep::CreateTransaction, RecordFile::SaveStep::WriteRecords,
                      RecordFile::SaveStep::ReplaceDatabase}) {
        services.errors.clear();
        context().SetSaveFaultHook([step](RecordFile::SaveStep s) { return s == step; });
        EXPECT_FALSE(SaveAtProgramEnd(nodes, &state, profile)) << int(step);
        EXPECT_EQ(services.errors.size(), 1) << int(step);
        EXPECT_EQ(ReadBytes(RecordFile::DatabaseName), "{Params}\r\n") << int(step);
        EXPECT_FALSE(QFile::exists(ini)) << int(step);
    }

    // A read-only database is the user's wish: the user is told, nothing is written.
    context().SetSaveFaultHook({});
    services.errors.clear();
    ASSERT_TRUE(QFile::setPermissions(RecordFile::DatabaseName, QFile::ReadOwner | QFile::ReadGroup));
    EXPECT_FALSE(SaveAtProgramEnd(nodes, &state, profile));
    ASSERT_EQ(services.errors.size(), 1);
    EXPECT_TRUE(services.errors.front().contains("read-only")) << services.errors.front().toStdString();
    EXPECT_EQ(ReadBytes(RecordFile::DatabaseName), "{Params}\r\n");
    EXPECT_FALSE(QFile::exists(ini));
    ASSERT_TRUE(QFile::setPermissions(RecordFile::DatabaseName, QFile::ReadOwner | QFile::WriteOwner));

    services.errors.clear();
    EXPECT_TRUE(SaveAtProgramEnd(nodes, &state, profile));
    EXPECT_TRUE(ReadBytes(RecordFile::DatabaseName).contains("Friends"));
    const Profile written(ini);
    EXPECT_EQ(written.readInteger("WinState", "Norm_Width", 0), 812);
    EXPECT_TRUE(written.readString("Tools", "Tool0").contains("/usr/bin/notes"));
    EXPECT_TRUE(services.errors.isEmpty());
}
