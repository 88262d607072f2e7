#include "store/orgobject.h"
#include "store/teamobject.h"
#include "support/storefixture.h"

using OrgTest = StoreFixture;

TEST_F(OrgTest, CsvImportNeedsANameAndMakesThePhoneChild)
{
    const auto org = [this] { return add(ItemKind::Organization, "New", root, "kept value", {}, 4242); };
    TZEBObject *nameless = org();
    EXPECT_FALSE(nameless->ImportFields({"", "555-0100"}, {"Title", "Phone Number"}));
    EXPECT_EQ(nameless->ChildCount(), 0);

    TZEBObject *o = org();
    ASSERT_TRUE(o->ImportFields({"Acme", "555-0100", "our supplier"}, {"Title", "Phone Number", "Comment"}));
    EXPECT_EQ(o->Title(), "Acme");
    EXPECT_EQ(o->Value(), "kept value");
    EXPECT_EQ(o->GetFieldCSV("Phone Number"), "\"555-0100\","); // from its new primary phone
    EXPECT_EQ(o->GetFieldCSV("First Name"), ",");
}

TEST_F(OrgTest, TeamIsAPlainContainer)
{
    auto *team = dynamic_cast<TTeamObject *>(add(ItemKind::Team, "New Team", root, {}, {}));
    EXPECT_EQ(team->PreparePopup(), PopupVisibility{});
    EXPECT_TRUE(team->EditNew(team->Node()));
    team->Edit();
    EXPECT_EQ(services.calls, QStringList({"rename New Team", "edit New Team|existing"}));

    EXPECT_TRUE(team->ApplyDialog("", "empty titles are fine"));
    EXPECT_TRUE(team->Title().isEmpty());
    EXPECT_EQ(team->Comment(), "empty titles are fine");
}
