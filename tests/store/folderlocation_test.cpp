#include "store/folderlocation.h"

#include <gtest/gtest.h>

// The folder dialog's tests drive the rest through its controls.
TEST(FolderLocation, OnlyALowerCaseSchemeIsTheInternetAndALocalPathStaysAsTyped)
{
    EXPECT_TRUE(FolderLocation(QStringLiteral("http://example.org/list.mbd")).internet());
    EXPECT_FALSE(FolderLocation(QStringLiteral("HTTP://example.org/list.mbd")).internet());
    EXPECT_TRUE(FolderLocation(QStringLiteral("HTTP://example.org/list.mbd")).browseVisible());

    FolderLocation f{QString()};
    f.setRemote(true);
    f.setInternet(true);
    f.setText(QStringLiteral("http://host/list.mbd"));
    EXPECT_EQ(f.result(), "http://host/list.mbd"); // not twice
    f.setInternet(false);
    f.setText(QStringLiteral("host/list.mbd"));
    EXPECT_EQ(f.result(), "host/list.mbd");
}
