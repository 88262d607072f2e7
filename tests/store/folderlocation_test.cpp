#include "store/folderlocation.h"

#include "support/storefixture.h"
#include "store/folderobject.h"

TEST(FolderLocation, OpensFromTheStoredLocationAndOkPutsTheSchemeInFront)
{
    FolderLocation local{QString()};
    EXPECT_FALSE(local.remote() || local.locationEnabled() || local.browseVisible());
    FolderLocation path(QStringLiteral("/share/list.mbd"));
    EXPECT_TRUE(path.remote() && path.locationEnabled() && path.browseVisible());
    EXPECT_FALSE(path.internet());
    EXPECT_TRUE(FolderLocation(QStringLiteral("http://example.org/list.mbd")).internet());
    // The scheme is recognised only in lower case; anything else is a path.
    EXPECT_FALSE(FolderLocation(QStringLiteral("HTTP://example.org/list.mbd")).internet());

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

using FolderDialogApply = StoreFixture;

TEST_F(FolderDialogApply, TakesTitleCommentAndLocation)
{
    auto *folder = static_cast<TFolderObject *>(add(Kinds::Folder, "Shared", root));
    add(Kinds::Folder, "Inner", folder->Node());
    ApplyFolderDialog(*folder, "Team list", "kept by Ann", "/share/list.mbd");
    EXPECT_EQ(folder->Node()->Text(), "Team list");
    EXPECT_EQ(folder->Comment(), "kept by Ann");
    EXPECT_TRUE(folder->IsRemote());
    EXPECT_EQ(folder->Node()->Count(), 0); // a new location discards what the folder held

    ApplyFolderDialog(*folder, QString(), QString(), QString()); // an empty title is taken
    EXPECT_TRUE(folder->Title().isEmpty());
    EXPECT_FALSE(folder->IsRemote());
}
