#include "exchange/automationclients.h"
#include "exchange/automationerror.h"
#include "exchange/miraapp.h"
#include "store/contactobject.h"
#include "store/folderobject.h"
#include "support/fakeautomationhost.h"
#include "support/filebytes.h"
#include "support/storefixture.h"

namespace {

using Code = EAutomation::Code;

// Raises EAutomation with that code.
template <typename Call>
void ExpectError(Code code, Call call)
{
    try {
        call();
        ADD_FAILURE() << "no error";
    } catch (const EAutomation &e) {
        EXPECT_EQ(int(e.code()), int(code)) << e.what();
    }
}

// My Contacts > Friends > Kim Lee (phone "Work" 555-1234, primary; address "Home"),
// My Contacts > Friends > Chess > Board, My Contacts > Acme.
class MiraAppTest : public StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        friends = add(ItemKind::Folder, "Friends", root)->Node();
        kim = add(ItemKind::Person, "Kim Lee", friends, "Kim Lee", "{Pers}~~Kim~~~~Lee~~Home~~Work~~~~~~~~0");
        phone = CreateItem(ItemKind::Phone, "Work", "555-1234", {}, kim->Node(), "{Phon}~~0", 0);
        address = CreateItem(ItemKind::Address, "Home", "1 Main St", {}, kim->Node(),
                             "{Addr}1 Main St~~~~~~Springfield~~IL~~62701~~USA", 0);
        chess = add(ItemKind::Folder, "Chess", friends)->Node();
        board = add(ItemKind::Folder, "Board", chess)->Node();
        acme = add(ItemKind::Organization, "Acme", root)->Node();
        host.nodes = &nodes;
    }

    int indexOf(const TTreeNode *node)
    {
        int i = 0;
        for (const TTreeNode *n = root; n; n = n->NextPreorder(), ++i)
            if (n == node)
                return i;
        return -1;
    }
    // Makes node's item (or a leaf of it) current through the object's own walk.
    void goTo(TMiraApp &app, const TTreeNode *node) { ASSERT_TRUE(app.Items(indexOf(node))); }

    FakeAutomationHost host;
    AutomationClients clients{nodes, host};
    TMiraApp &app = clients.Client("a");
    TTreeNode *friends = nullptr, *chess = nullptr, *board = nullptr, *acme = nullptr;
    TZEBObject *kim = nullptr, *phone = nullptr, *address = nullptr;
};

TEST_F(MiraAppTest, StartsAtTheRootAndRefusesIndexesOutsideTheTree)
{
    EXPECT_EQ(app.miraClass(), 11);
    EXPECT_EQ(app.miraTitle(), "My Contacts");
    EXPECT_EQ(app.ItemCount(), 6);

    goTo(app, chess);
    for (int bad : {app.ItemCount(), -1, 1 << 30}) {
        EXPECT_FALSE(app.Items(bad)) << bad;
        EXPECT_EQ(app.CurrentItemIndex(), indexOf(chess));
        EXPECT_EQ(app.miraTitle(), "Chess");
    }

    goTo(app, kim->Node());
    EXPECT_EQ(app.ChildCount(), 2); // no child nodes, two leaves
    for (int bad : {2, -1, -3})
        EXPECT_FALSE(app.Child(bad)) << bad;
    EXPECT_EQ(app.miraTitle(), "Kim Lee");
}

TEST_F(MiraAppTest, ChildTakesChildNodesFirstThenLeavesAndKeepsTheNode)
{
    CreateItem(ItemKind::EMail, "Mail", "f@example.org", {}, friends, {}, 0);
    goTo(app, friends);
    ASSERT_EQ(app.ChildCount(), 3); // Chess and Kim Lee (sorted: folders first), the e-mail
    ASSERT_TRUE(app.Child(0));
    EXPECT_EQ(app.miraTitle(), "Chess");
    ASSERT_TRUE(app.Child(2));
    EXPECT_EQ(app.miraClass(), 7);
    EXPECT_EQ(app.CurrentItemIndex(), indexOf(friends));
}

TEST_F(MiraAppTest, NextSiblingIndexIsThePlaceAfterTheSubtreeSoLoopsEnd)
{
    goTo(app, friends);
    EXPECT_EQ(app.NextSiblingIndex(), indexOf(acme));
    goTo(app, chess); // its subtree (Board) is not the end of the tree
    EXPECT_EQ(app.NextSiblingIndex(), indexOf(kim->Node()));
    goTo(app, acme); // last node: one past the end, not its own or a child's index
    EXPECT_EQ(app.NextSiblingIndex(), app.ItemCount());

    // A client walking the root's children from index 1 sees each once, then stops.
    QStringList seen;
    for (int i = 1; i < app.ItemCount() && seen.size() < 10; i = app.NextSiblingIndex()) {
        ASSERT_TRUE(app.Items(i));
        seen << app.miraTitle();
    }
    EXPECT_EQ(seen, QStringList({"Friends", "Acme"}));
}

TEST_F(MiraAppTest, ReadsTheCurrentItemAndFindsItemsById)
{
    ASSERT_TRUE(app.ItemWithId(phone->Id()));
    EXPECT_EQ(app.CurrentItemIndex(), indexOf(kim->Node()));
    EXPECT_EQ(app.miraTarget(), "555-1234");
    EXPECT_EQ(app.miraClass(), 6);

    ASSERT_TRUE(app.ItemWithId(kim->Id()));
    EXPECT_EQ(app.miraID(), kim->Id());
    EXPECT_EQ(app.miraField("Phone Number"), "\"555-1234\",");
    EXPECT_EQ(app.miraField("City"), "\"Springfield\",");
    EXPECT_EQ(app.miraField("Bogus"), ",");
    EXPECT_FALSE(app.ItemWithId(12345));
    EXPECT_EQ(app.miraID(), kim->Id()); // a miss leaves the cursor

    app.CopyClipboard();
    EXPECT_EQ(host.clipboard, "Kim Lee");
}

TEST_F(MiraAppTest, InsertCreatesBelowTheCurrentNodeAndChecksTheKind)
{
    goTo(app, acme);
    app.Insert(5, "Office", "2 Side St", "back door", "{Addr}2 Side St~~~~~~Shelbyville~~IL~~62565~~USA");
    EXPECT_EQ(app.miraTitle(), "Acme"); // not made current
    ASSERT_TRUE(app.Child(0));
    EXPECT_EQ(app.miraComment(), "back door");
    EXPECT_EQ(app.miraField("City"), "\"Shelbyville\",");

    app.Insert(0, "Clients", {}, {}, {});
    EXPECT_EQ(app.ItemCount(), 7); // the new node is counted at once
    ASSERT_TRUE(app.Items(app.ItemCount() - 1));
    EXPECT_EQ(app.miraTitle(), "Clients");

    for (int kind : {11, 13, 99, -1, 255})
        ExpectError(Code::InvalidArgs, [&] { app.Insert(kind, "X", {}, {}, {}); });
    EXPECT_EQ(app.ItemCount(), 7);
}

TEST_F(MiraAppTest, NothingInsideARemoteFolderChanges)
{
    const QString source = QDir(dir.path()).filePath("shared.mbd");
    WriteBytes(source, CrLf({"{1 0 }Club~~~~~~1", "{Fold}0", "{2 6 }Desk~~555~~~~2", "{Phon}~~0"}));
    auto *shared = static_cast<TFolderObject *>(add(ItemKind::Folder, "Shared", root));
    CreateItem(ItemKind::Phone, "Own", "9", {}, shared->Node(), "{Phon}~~0", 0);
    shared->SetValue(source);
    shared->Refresh();

    goTo(app, shared->Node());
    ExpectError(Code::RemoteParent, [&] { app.Insert(6, "Mine", "1", {}, {}); });
    app.set_miraComment("the club's list"); // the folder itself is ours
    EXPECT_EQ(shared->Comment(), "the club's list");
    ASSERT_TRUE(app.Child(1)); // the leaf lying directly in the remote folder
    EXPECT_EQ(app.miraTitle(), "Own");
    ExpectError(Code::ReadOnly, [&] { app.set_miraTarget("556"); });
    ASSERT_TRUE(app.Items(app.CurrentItemIndex() + 1)); // Club, read from the source
    ExpectError(Code::ReadOnly, [&] { app.set_miraTitle("Mine"); });
    ASSERT_TRUE(app.Child(0));
    ExpectError(Code::ReadOnly, [&] { app.set_miraField("Title", "Mine"); });
    EXPECT_EQ(app.miraTitle(), "Desk");

    ASSERT_TRUE(app.Items(0)); // the root is never replaced by what is read, so never changed
    ExpectError(Code::ReadOnly, [&] { app.set_miraTitle("Everyone"); });
}

TEST_F(MiraAppTest, SettersChangeTheItemAndRefuseBlankTitles)
{
    goTo(app, chess);
    app.set_miraTitle("Go");
    EXPECT_EQ(chess->Text(), "Go");
    EXPECT_EQ(host.titlesChanged, 1);
    ExpectError(Code::InvalidArgs, [&] { app.set_miraTitle("  "); });
    app.set_miraTarget("board games");
    app.set_miraComment("Tuesdays");
    EXPECT_EQ(chess->Item()->Comment(), "Tuesdays");
    EXPECT_EQ(app.miraTarget(), "board games");
}

TEST_F(MiraAppTest, FieldSetUpdatesThePrimaryChildInsteadOfAddingOne)
{
    ASSERT_TRUE(app.ItemWithId(kim->Id()));
    app.set_miraField("Phone Number", "555-9999");
    EXPECT_EQ(kim->ChildCount(), 2);
    EXPECT_EQ(phone->Value(), "555-9999");
    EXPECT_EQ(phone->Title(), "Work"); // still the primary phone's title

    app.set_miraField("City", "Capital City"); // the other address fields stay
    EXPECT_EQ(address->GetFieldCSV("Address Line 1"), "\"1 Main St\",");
    EXPECT_EQ(app.miraField("City"), "\"Capital City\",");

    app.set_miraField("E-Mail Address", "kim@example.org"); // none yet: made as the import does
    EXPECT_EQ(kim->ChildCount(), 3);
    EXPECT_EQ(static_cast<TContactObject *>(kim)->PrimaryEMail(), "Primary EMail");
    EXPECT_EQ(app.miraField("E-Mail Address"), "\"kim@example.org\",");

    app.set_miraField("Last Name", "Park");
    EXPECT_EQ(app.miraField("Last Name"), "\"Park\",");
    EXPECT_EQ(kim->ChildCount(), 3);
}

TEST_F(MiraAppTest, RefusedFieldValuesAreErrorsAndChangeNothing)
{
    ASSERT_TRUE(app.ItemWithId(address->Id()));
    ExpectError(Code::InvalidArgs, [&] { app.set_miraField("Address Line 1", ""); });
    EXPECT_EQ(address->Title(), "Home");
    EXPECT_EQ(address->Value(), "1 Main St");
    EXPECT_EQ(app.miraField("City"), "\"Springfield\",");
    ExpectError(Code::InvalidArgs, [&] { app.set_miraField("Phone Number", "1"); }); // not an address column
    ExpectError(Code::InvalidArgs, [&] { app.set_miraField("Bogus", "1"); });

    ASSERT_TRUE(app.ItemWithId(kim->Id()));
    ExpectError(Code::InvalidArgs, [&] { app.set_miraField("Fax Number", ""); });
    EXPECT_EQ(kim->ChildCount(), 2); // the attempt left no child behind
    app.set_miraField("First Name", ""); // a last name is left, so it is taken
    EXPECT_EQ(app.miraField("First Name"), "\"\",");
    ExpectError(Code::InvalidArgs, [&] { app.set_miraField("Last Name", ""); }); // none left: refused
    EXPECT_EQ(app.miraField("Last Name"), "\"Lee\",");

    goTo(app, chess);
    ExpectError(Code::InvalidArgs, [&] { app.set_miraField("Title", "Go"); }); // folders have no columns
}

TEST_F(MiraAppTest, ACursorWhoseItemLeavesTheTreeSaysSoOnceAndIsAtTheRoot)
{
    TMiraApp &other = clients.Client("b");
    ASSERT_TRUE(app.ItemWithId(phone->Id()));
    goTo(other, acme);
    kim->RemoveChild(phone);
    ExpectError(Code::ItemGone, [&] { app.miraTitle(); });
    EXPECT_EQ(app.miraTitle(), "My Contacts");
    EXPECT_EQ(other.miraTitle(), "Acme"); // the other client's cursor is its own

    goTo(app, board); // deep inside a subtree that goes
    ASSERT_TRUE(other.Items(indexOf(chess)));
    ASSERT_TRUE(other.Child(0)); // Board's item, seen from Chess
    nodes.Delete(chess);
    ExpectError(Code::ItemGone, [&] { app.ItemCount(); });
    ExpectError(Code::ItemGone, [&] { other.Items(0); });
    EXPECT_EQ(app.ItemCount(), 4);
}

TEST_F(MiraAppTest, ACursorSurvivesAMoveButNotARebuildInOneUpdate)
{
    goTo(app, board);
    nodes.Move(board, acme);
    EXPECT_EQ(app.miraTitle(), "Board");
    EXPECT_EQ(app.CurrentItemIndex(), indexOf(board));

    // A revert: everything below the root goes and is read again, unannounced.
    ASSERT_TRUE(app.ItemWithId(phone->Id()));
    nodes.BeginUpdate();
    nodes.DeleteChildren(root);
    add(ItemKind::Folder, "Friends", root);
    nodes.EndUpdate();
    ExpectError(Code::ItemGone, [&] { app.miraID(); });
    EXPECT_EQ(app.miraClass(), 11);
    EXPECT_EQ(app.ItemCount(), 2);
}

TEST_F(MiraAppTest, CallsWaitWhileTheProgramIsBusyAndNeverReenter)
{
    host.busy = true;
    ExpectError(Code::Busy, [&] { app.ItemCount(); });
    ExpectError(Code::Busy, [&] { app.Insert(0, "X", {}, {}, {}); });
    host.busy = false;

    // A call that opens a dialog: another client's call arriving meanwhile is refused.
    TMiraApp &other = clients.Client("b");
    bool refused = false;
    host.during = [&] {
        try {
            other.Items(1);
        } catch (const EAutomation &e) {
            refused = e.code() == Code::Busy;
        }
    };
    host.pane = AutomationHost::Pane::Items;
    EXPECT_EQ(app.SelectCount(), 0);
    EXPECT_TRUE(refused);
    EXPECT_EQ(other.miraClass(), 11); // afterwards it runs, from where it was
}

TEST_F(MiraAppTest, SelectionMembersFollowTheActivePane)
{
    host.selectedNode = friends;
    EXPECT_EQ(app.SelectCount(), 1);
    ASSERT_TRUE(app.UserSelected(5)); // the tree pane: the index does not matter
    EXPECT_EQ(app.miraTitle(), "Friends");

    host.pane = AutomationHost::Pane::Items;
    host.selectedItems = {phone, address};
    EXPECT_EQ(app.SelectCount(), 2);
    ASSERT_TRUE(app.UserSelected(1));
    EXPECT_EQ(app.miraTitle(), "Home");
    EXPECT_EQ(app.CurrentItemIndex(), indexOf(kim->Node()));
    EXPECT_FALSE(app.UserSelected(2));
    EXPECT_FALSE(app.UserSelected(-1));
    host.pane = AutomationHost::Pane::Other;
    EXPECT_EQ(app.SelectCount(), 0);

    ASSERT_TRUE(app.NextItemWithTitle("acm"));
    EXPECT_EQ(app.miraTitle(), "Acme");
    EXPECT_FALSE(app.NextItemWithTitle("nobody"));
    EXPECT_EQ(host.located, QStringList({"acm", "nobody"}));
    host.canLocate = false;
    ExpectError(Code::NotSupported, [&] { app.NextItemWithTitle("acm"); });
}

TEST_F(MiraAppTest, DefaultActionIsTheItemsOpen)
{
    ASSERT_TRUE(app.ItemWithId(phone->Id()));
    app.DoDefaultAction();
    EXPECT_EQ(services.calls, QStringList({"dial Work|555-1234"}));
}

TEST_F(MiraAppTest, ALeavingClientTakesItsCursorWithIt)
{
    goTo(app, acme);
    clients.Client("b");
    EXPECT_EQ(clients.ClientCount(), 2);
    clients.Release("a");
    EXPECT_FALSE(clients.HasClient("a"));
    EXPECT_EQ(clients.Client("a").miraClass(), 11); // a new client starts afresh
}

} // namespace
