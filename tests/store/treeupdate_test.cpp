#include "recordfiletestutil.h"
#include "support/storefixture.h"

#include <QSignalSpy>

using TreeUpdate = StoreFixture;

// Children added during an update arrive in any order and are sorted once at its end,
// however the parents alternate; a parent deleted meanwhile is simply not sorted.
TEST_F(TreeUpdate, ParentsTouchedInTurnAreAllSortedAtTheEnd)
{
    TZEBObject *kim = add(ItemKind::Person, "Kim", nullptr);
    TZEBObject *doomed = add(ItemKind::Folder, "Doomed", nullptr);
    QSignalSpy sorted(&nodes, &TTreeNodes::updateEnded);
    nodes.BeginUpdate();
    for (const char *title : {"Zulu", "Mike", "Alpha"}) {
        add(ItemKind::Person, title, nullptr);                // the root
        add(ItemKind::Website, title, kim->Node(), "http://x"); // then Kim, then the root again
        add(ItemKind::Folder, title, doomed->Node());
    }
    nodes.BeginUpdate(); // nested: nothing is sorted before the outer end
    add(ItemKind::Person, "Bert", nullptr);
    nodes.EndUpdate();
    EXPECT_EQ(Outline(kim->Node()), (QStringList{"Zulu", "Mike", "Alpha"}));
    nodes.Delete(doomed->Node());
    nodes.EndUpdate();
    EXPECT_EQ(sorted.count(), 1);
    EXPECT_EQ(Outline(root), (QStringList{"Alpha", "Bert", "Kim", "Kim/Alpha", "Kim/Mike", "Kim/Zulu", "Mike", "Zulu"}));
    for (int i = 0; i < root->Count(); ++i)
        EXPECT_EQ(root->Child(i)->Index(), i);

    // The marks are gone with the update: the next one sorts the same parents again.
    nodes.BeginUpdate();
    add(ItemKind::Website, "Aaron", kim->Node(), "http://y");
    add(ItemKind::Person, "Aaron", nullptr);
    nodes.EndUpdate();
    EXPECT_EQ(Outline(kim->Node()), (QStringList{"Aaron", "Alpha", "Mike", "Zulu"}));
    EXPECT_EQ(root->Child(0)->Text(), "Aaron");

    // Cleared during an update: the marked parents go, and the end sorts nothing stale.
    nodes.BeginUpdate();
    add(ItemKind::Website, "Bob", kim->Node(), "http://z");
    nodes.Clear();
    nodes.EndUpdate();
    EXPECT_EQ(nodes.Count(), 0);
}

// Children appended in the folder order stay as they are; one that breaks the order, by
// its kind, by its title past the first characters, or by a new title, has its parent
// sorted at the end.
TEST_F(TreeUpdate, ChildrenAppendedInOrderStayAndAnyOutOfOrderAreSorted)
{
    TZEBObject *inOrder = add(ItemKind::Folder, "In order", nullptr);
    TZEBObject *byTitle = add(ItemKind::Folder, "By title", nullptr);
    TZEBObject *byKind = add(ItemKind::Folder, "By kind", nullptr);
    TZEBObject *renamed = add(ItemKind::Folder, "Renamed", nullptr);
    nodes.BeginUpdate();
    for (const char *title : {"First100 Lee", "first1000 Kim", "First1000 Kim", "First1001 Ann"}) {
        add(ItemKind::Person, title, inOrder->Node());
        add(ItemKind::Person, title, byTitle->Node());
        add(ItemKind::Person, title, byKind->Node());
        add(ItemKind::Person, title, renamed->Node());
    }
    add(ItemKind::Person, "First100 Zed", byTitle->Node());
    add(ItemKind::Folder, "Zoo", byKind->Node());
    renamed->Node()->Child(1)->Item()->SetTitle("Alpha");
    nodes.EndUpdate();
    EXPECT_EQ(Outline(inOrder->Node()), (QStringList{"First100 Lee", "first1000 Kim", "First1000 Kim", "First1001 Ann"}));
    EXPECT_EQ(Outline(byTitle->Node()),
              (QStringList{"First100 Lee", "First100 Zed", "first1000 Kim", "First1000 Kim", "First1001 Ann"}));
    EXPECT_EQ(Outline(byKind->Node()),
              (QStringList{"Zoo", "First100 Lee", "first1000 Kim", "First1000 Kim", "First1001 Ann"}));
    EXPECT_EQ(Outline(renamed->Node()), (QStringList{"Alpha", "First100 Lee", "First1000 Kim", "First1001 Ann"}));
    for (TZEBObject *folder : {inOrder, byTitle, byKind, renamed})
        for (int i = 0; i < folder->Node()->Count(); ++i)
            EXPECT_EQ(folder->Node()->Child(i)->Index(), i);
}

TEST_F(TreeUpdate, TitlesAlikeFarIntoThemSortAsTheirFullComparisonDoes)
{
    // Alike in their first eight characters, or their first sixteen, or all but case;
    // one the start of another.
    const QStringList titles = {"Numbered 0000000003",   "numbered 0000000001 b", "Numbered 0000000001",
                                "Numbered 00000000",     "Numbered 0000000001 a", "NUMBERED 0000000002",
                                "numbered 0000000002",   "Numbered 00000000019",  "Numbered 0000000001\u00e9",
                                "Numbered 0000000001 A", "Numbe",                 "Numbered 0000000001",
                                "Numbz 1",               "Numby 9"};
    TZEBObject *folder = add(ItemKind::Folder, "F", nullptr);
    nodes.BeginUpdate();
    for (const QString &title : titles)
        add(ItemKind::Person, title, folder->Node());
    nodes.EndUpdate();
    QStringList expected = titles;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString &a, const QString &b) { return CompareTitles(a, b) < 0; });
    EXPECT_EQ(Outline(folder->Node()), expected);
}

// A node shows its item's title as it changes, and is heard of once for each change; a
// text of its own stays until the title is set to it.
TEST_F(TreeUpdate, ANodeShowsItsItemsTitleUnlessGivenATextOfItsOwn)
{
    TZEBObject *kim = add(ItemKind::Person, "Kim", nullptr);
    TTreeNode *node = kim->Node();
    QSignalSpy changed(&nodes, &TTreeNodes::nodeChanged);
    kim->SetTitle("Kim Lee");
    EXPECT_EQ(node->Text(), "Kim Lee");
    kim->SetTitle("Kim Lee");
    EXPECT_EQ(changed.count(), 1);

    node->SetText("Shown otherwise");
    EXPECT_EQ(changed.count(), 2);
    kim->SetTitle("Kim Park");
    EXPECT_EQ(node->Text(), "Shown otherwise");
    EXPECT_EQ(root->Child(0), node);
    node->SetText("Kim Park"); // the title again: it follows from now on
    kim->SetTitle("Kim Moss");
    EXPECT_EQ(node->Text(), "Kim Moss");
    EXPECT_EQ(changed.count(), 4);

    // A node made with another text than its item's title shows that text.
    TTreeNode *top = nodes.AddTop(MakeRootItem(), QStringLiteral("Calls"));
    EXPECT_EQ(top->Text(), "Calls");
    EXPECT_EQ(top->Item()->Title(), "My Contacts");
}
