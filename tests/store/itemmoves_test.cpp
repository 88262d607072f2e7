// Moving items in the tree: alert marks, read-only marks, and the places a move may not go.
#include "recordfiletestutil.h"
#include "support/storefixture.h"

#include "store/itemmoves.h"
#include "store/kinds.h"
#include "store/readonlyitem.h"

#include <QScopedValueRollback>

class ItemMovesTest : public StoreFixture
{
};

TEST_F(ItemMovesTest, AMovedContainerTakesItsAlertMarksFromTheOldAncestorsToTheNew)
{
    TZEBObject *a = add(ItemKind::Folder, "A", root);
    TZEBObject *a1 = add(ItemKind::Folder, "A1", a->Node());
    TZEBObject *b = add(ItemKind::Folder, "B", root);
    TZEBObject *b1 = add(ItemKind::Folder, "B1", b->Node());
    TZEBObject *kim = add(ItemKind::Person, "Kim", a1->Node());
    add(ItemKind::Phone, "Due", kim->Node())->SetAlert(true);
    add(ItemKind::Phone, "Also due", add(ItemKind::Folder, "Deep", kim->Node())->Node())->SetAlert(true);
    ASSERT_EQ(a->AlertCount(), 2);

    nodes.Move(kim->Node(), b1->Node());

    const auto marked = [](const TZEBObject *item) { return item->Node()->StateIndex() == StateImageIndex(StateImage::Alert); };
    EXPECT_EQ(QList<int>({a->AlertCount(), a1->AlertCount(), b->AlertCount(), b1->AlertCount(), kim->AlertCount()}),
              QList<int>({0, 0, 2, 2, 2}));
    EXPECT_FALSE(marked(a));
    EXPECT_FALSE(marked(a1));
    EXPECT_TRUE(marked(b));
    EXPECT_TRUE(marked(b1));
}

TEST_F(ItemMovesTest, WhatAMovedContainerCarriesBecomesReadOnlyInARemoteFolderAndWritableOutOfIt)
{
    TZEBObject *remote = add(ItemKind::Folder, "R", root, "/nowhere/x.mbd");
    TZEBObject *kim = add(ItemKind::Person, "Kim", root);
    TZEBObject *phone = add(ItemKind::Phone, "Home", kim->Node(), "555");
    TZEBObject *team = add(ItemKind::Team, "T", kim->Node());
    TZEBObject *member = add(ItemKind::Phone, "Desk", team->Node(), "556");

    nodes.Move(kim->Node(), remote->Node());
    EXPECT_TRUE(kim->InRemote());
    EXPECT_TRUE(IsReadOnlyItem(phone));
    EXPECT_TRUE(team->InRemote());
    EXPECT_TRUE(IsReadOnlyItem(member));

    nodes.Move(kim->Node(), root);
    for (const TZEBObject *item : {kim, phone, team, member})
        EXPECT_FALSE(IsReadOnlyItem(item)) << item->Title().toStdString();
}

TEST_F(ItemMovesTest, ContainersNeverGoIntoThemselvesAndLeavesChangeOwner)
{
    TZEBObject *a = add(ItemKind::Folder, "A", root);
    TZEBObject *inner = add(ItemKind::Folder, "Inner", a->Node());
    TZEBObject *b = add(ItemKind::Folder, "B", root);
    TZEBObject *phone = add(ItemKind::Phone, "Home", a->Node(), "555");
    phone->SetAlert(true);
    const QStringList before = Outline(root);

    EXPECT_EQ(ItemMoves::MoveInto({a}, a->Node()), 0);
    EXPECT_EQ(ItemMoves::MoveInto({a}, inner->Node()), 0);
    EXPECT_EQ(ItemMoves::MoveInto({inner}, a->Node()), 0); // there already
    EXPECT_EQ(Outline(root), before);

    // A selection holding the target itself moves the rest.
    EXPECT_EQ(ItemMoves::MoveInto({inner, b, phone}, b->Node()), 2);
    EXPECT_EQ(Outline(root), QStringList({"A", "B", "B|Home", "B/Inner"}));
    EXPECT_EQ(phone->Node(), b->Node());
    EXPECT_EQ(a->AlertCount(), 0);
    EXPECT_EQ(b->AlertCount(), 1);
}

TEST_F(ItemMovesTest, NothingMovesIntoOrOutOfARemoteFolder)
{
    TZEBObject *remote = add(ItemKind::Folder, "R", root, "/nowhere/x.mbd");
    TZEBObject *local = add(ItemKind::Folder, "L", root);
    TZEBObject *kim = add(ItemKind::Person, "Kim", root);
    TZEBObject *phone = add(ItemKind::Phone, "Home", local->Node(), "555");
    // Made as the folder's refresh makes them.
    TZEBObject *inside = nullptr;
    {
        QScopedValueRollback loading(context().RemoteLoadingFlag(), true);
        inside = add(ItemKind::Person, "Inside", remote->Node());
    }
    const QStringList before = Outline(root);

    EXPECT_THROW(ItemMoves::MoveInto({kim, phone}, remote->Node()), ERemoteParent);
    EXPECT_THROW(ItemMoves::MoveInto({kim}, inside->Node()), ERemoteParent);
    EXPECT_THROW(ItemMoves::MoveInto({kim, inside}, local->Node()), EMoveOutOfRemote);
    EXPECT_EQ(Outline(root), before);

    // The remote folder itself is the database's own, and moves with what it shows.
    EXPECT_EQ(ItemMoves::MoveInto({remote}, local->Node()), 1);
    EXPECT_TRUE(inside->InRemote());
}
