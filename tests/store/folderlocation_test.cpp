#include "store/folderlocation.h"

#include "support/storefixture.h"
#include "store/folderobject.h"

#include <QFile>

TEST(FolderLocation, OpensFromTheStoredLocation)
{
    FolderLocation local{QString()};
    EXPECT_FALSE(local.remote());
    EXPECT_FALSE(local.internet());
    EXPECT_FALSE(local.locationEnabled());
    EXPECT_FALSE(local.browseVisible());
    EXPECT_TRUE(local.result().isEmpty());

    FolderLocation path(QStringLiteral("/share/list.mbd"));
    EXPECT_TRUE(path.remote());
    EXPECT_FALSE(path.internet());
    EXPECT_TRUE(path.locationEnabled());
    EXPECT_TRUE(path.browseVisible());
    EXPECT_EQ(path.result(), "/share/list.mbd");

    FolderLocation web(QStringLiteral("http://example.org/list.mbd"));
    EXPECT_TRUE(web.internet());
    EXPECT_FALSE(web.browseVisible());
    EXPECT_EQ(web.text(), "http://example.org/list.mbd");

    // The scheme is recognised only in lower case; anything else is a path.
    FolderLocation capitals(QStringLiteral("HTTP://example.org/list.mbd"));
    EXPECT_FALSE(capitals.internet());
    EXPECT_TRUE(capitals.browseVisible());
}

TEST(FolderLocation, OkPutsTheSchemeInFront)
{
    FolderLocation f{QString()};
    f.setRemote(true);
    f.setInternet(true);
    f.setText(QStringLiteral("host/list.mbd"));
    EXPECT_EQ(f.result(), "http://host/list.mbd");
    f.setText(QStringLiteral("http://host/list.mbd"));
    EXPECT_EQ(f.result(), "http://host/list.mbd");
    f.setInternet(false);
    f.setText(QStringLiteral("host/list.mbd")); // a local path stays as typed
    EXPECT_EQ(f.result(), "host/list.mbd");
}

class FolderDialogApply : public StoreFixture
{
};

TEST_F(FolderDialogApply, TakesTitleCommentAndLocation)
{
    auto *folder = static_cast<TFolderObject *>(add(Kinds::Folder, "Shared", root));
    add(Kinds::Folder, "Inner", folder->Node());
    ASSERT_EQ(folder->Node()->Count(), 1);

    ApplyFolderDialog(*folder, "Team list", "kept by Ann", "/share/list.mbd");
    EXPECT_EQ(folder->Title(), "Team list");
    EXPECT_EQ(folder->Node()->Text(), "Team list");
    EXPECT_EQ(folder->Comment(), "kept by Ann");
    EXPECT_TRUE(folder->IsRemote());
    EXPECT_EQ(folder->Node()->Count(), 0); // a new location discards what the folder held

    ApplyFolderDialog(*folder, QString(), QString(), QString()); // an empty title is taken
    EXPECT_TRUE(folder->Title().isEmpty());
    EXPECT_FALSE(folder->IsRemote());
}
