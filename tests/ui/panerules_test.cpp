#include "support/qtprinters.h"
#include "store/itemfactory.h"
#include "store/treenodes.h"
#include "store/zebobject.h"
#include "ui/panerules.h"

#include <gtest/gtest.h>

using namespace PaneRules;

TEST(PaneRules, SplitterMovesOnlyBeyondFourPixels)
{
    EXPECT_FALSE(SplitterShouldResize(201, 201));
    EXPECT_FALSE(SplitterShouldResize(201, 204)); // a 3-pixel drag
    EXPECT_FALSE(SplitterShouldResize(201, 205)); // exactly 4 away
    EXPECT_FALSE(SplitterShouldResize(201, 197));
    EXPECT_TRUE(SplitterShouldResize(201, 206));  // a 5-pixel drag
    EXPECT_TRUE(SplitterShouldResize(201, 196));
}

TEST(PaneRules, TrayTipIsBracketedPathCutTo62)
{
    TTreeNodes nodes;
    TTreeNode *root = nodes.AddTop(MakeRootItem(), QStringLiteral("My Contacts"));
    TZEBObject *friends = CreateItem(0, QStringLiteral("Friends"), {}, {}, root, {}, 0);
    TZEBObject *smith = CreateItem(3, QStringLiteral("Smith"), {}, {}, friends->Node(), {}, 0);
    EXPECT_EQ(NodePath(smith->Node()), QStringLiteral("My Contacts/Friends/Smith"));
    EXPECT_EQ(TrayTipText(NodePath(smith->Node())), QStringLiteral("[My Contacts/Friends/Smith]"));

    const QString path60 = QString(60, QLatin1Char('x'));
    EXPECT_EQ(TrayTipText(path60).size(), 62);
    EXPECT_TRUE(TrayTipText(path60).endsWith(QLatin1Char(']')));
    // One more character: the closing bracket is what gets cut.
    const QString cut = TrayTipText(path60 + QLatin1Char('y'));
    EXPECT_EQ(cut.size(), 62);
    EXPECT_EQ(cut, QLatin1Char('[') + path60 + QLatin1Char('y'));
    EXPECT_EQ(TrayTipText(QString(300, QLatin1Char('z'))).size(), 62);
    // A character outside the basic plane that would be cut in half goes whole.
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QString tip = TrayTipText(QString(60, QLatin1Char('x')) + clef);
    EXPECT_EQ(tip, QLatin1Char('[') + QString(60, QLatin1Char('x')));
}

TEST(PaneRules, StatusAndQuestionTexts)
{
    EXPECT_EQ(ItemCountText(0), QStringLiteral("0 item(s)"));
    EXPECT_EQ(ItemCountText(12), QStringLiteral("12 item(s)"));
    EXPECT_EQ(DeleteDescription(1, QStringLiteral("Kim")), QStringLiteral("Kim"));
    EXPECT_EQ(DeleteDescription(3, QStringLiteral("Kim")), QStringLiteral("the 3 selected items"));
    EXPECT_EQ(DeleteQuestion(QStringLiteral("the 3 selected items")),
              QStringLiteral("Are you sure you want to delete the 3 selected items and all sub-items?"));
}
