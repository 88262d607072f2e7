#include "mainformfixture.h"

#include "store/categorynames.h"
#include "ui/categoryfilterpane.h"

#include <QListWidget>

namespace {

class CategoryFilterTest : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        pane = form->filterPane();
        ASSERT_NE(pane, nullptr);
        group = add(ItemKind::Folder, QStringLiteral("Group"));
        family = add(ItemKind::Person, QStringLiteral("Family person"), group->Node());
        family->SetCategories(CategoryBit(1));
        both = add(ItemKind::Person, QStringLiteral("Both"), group->Node());
        both->SetCategories(CategoryBit(1) | CategoryBit(2));
        work = add(ItemKind::Phone, QStringLiteral("Work phone"), group->Node(), QStringLiteral("555"));
        work->SetCategories(CategoryBit(2));
        plain = add(ItemKind::EMail, QStringLiteral("Plain"), group->Node(), QStringLiteral("a@b.org"));
        form->SelectNode(group->Node());
    }

    // Presses a toolbar button as a click would: the group unchecks the other one.
    void press(QAction *button) { button->trigger(); }
    void tick(int n, bool on = true)
    {
        pane->FilterListBox()->item(n - 1)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }

    TCategoryFilterPane *pane = nullptr;
    TZEBObject *group = nullptr, *family = nullptr, *both = nullptr, *work = nullptr, *plain = nullptr;
};

} // namespace

TEST_F(CategoryFilterTest, ButtonsSwapTheListWithTheTreeAtMostOneDown)
{
    QListWidget *list = pane->FilterListBox();
    ASSERT_EQ(list->count(), CategoryCount);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("User Defined 1"));
    EXPECT_TRUE(list->isHidden());
    EXPECT_FALSE(form->folders()->isHidden());

    press(pane->FilterBtn1());
    EXPECT_TRUE(pane->FilterBtn1()->isChecked());
    EXPECT_TRUE(form->folders()->isHidden());
    EXPECT_FALSE(list->isHidden());
    EXPECT_EQ(pane->Filter().mode, CategoryFilter::Mode::Any);

    tick(2);
    press(pane->FilterBtn2()); // straight from ANY to ALL keeps ticks and mask
    EXPECT_FALSE(pane->FilterBtn1()->isChecked());
    EXPECT_TRUE(pane->FilterBtn2()->isChecked());
    EXPECT_EQ(pane->Filter().mode, CategoryFilter::Mode::All);
    EXPECT_EQ(pane->Filter().FilterMask, CategoryBit(2));
    EXPECT_TRUE(form->folders()->isHidden());

    press(pane->FilterBtn2()); // released: both up, the tree is back, nothing hidden
    EXPECT_FALSE(pane->FilterBtn1()->isChecked() || pane->FilterBtn2()->isChecked());
    EXPECT_FALSE(pane->Filter().FilterMode());
    EXPECT_FALSE(form->folders()->isHidden());
    EXPECT_TRUE(list->isHidden());
    EXPECT_EQ(form->SelectedNode(), group->Node()); // the selection stayed while hidden
    EXPECT_EQ(listCaptions().size(), 4);
}

TEST_F(CategoryFilterTest, TheListIsRebuiltOnEveryChangeAndTheTreeNeverFiltered)
{
    press(pane->FilterBtn1());
    EXPECT_EQ(listCaptions().size(), 4); // nothing ticked: everything shown

    tick(1);
    EXPECT_EQ(listCaptions(), (QStringList{"Both", "Family person"}));
    tick(2);
    EXPECT_EQ(listCaptions(), (QStringList{"Both", "Family person", "Work phone"}));

    press(pane->FilterBtn2());
    EXPECT_EQ(listCaptions(), (QStringList{"Both"}));
    EXPECT_EQ(form->statusText(StatusPanel::Count), QStringLiteral("1 item(s)"));
    // The tree keeps every node.
    EXPECT_EQ(group->Node()->Count(), 2);
    EXPECT_EQ(form->folderModel()->rowCount(form->folderModel()->indexOf(group->Node())), 2);

    // A leaf added while the filter is on shows only when it passes.
    TZEBObject *hidden = add(ItemKind::Phone, QStringLiteral("Hidden"), group->Node());
    EXPECT_FALSE(listCaptions().contains("Hidden"));
    hidden->SetCategories(CategoryBit(1) | CategoryBit(2));
    form->RebuildList();
    EXPECT_TRUE(listCaptions().contains("Hidden"));

    tick(1, false);
    tick(2, false);
    EXPECT_EQ(pane->Filter().FilterMask, 0);
    EXPECT_EQ(listCaptions().size(), 5);
}

TEST_F(CategoryFilterTest, NewNamesUntickEverythingAndShowAllAgain)
{
    press(pane->FilterBtn1());
    tick(1);
    ASSERT_EQ(listCaptions().size(), 2);

    // What the options dialog's OK does: the names are replaced, none ticked.
    QStringList names = form->categoryNames();
    names[0] = QStringLiteral("Family");
    form->SetCategoryNames(names);
    EXPECT_EQ(pane->FilterListBox()->item(0)->text(), QStringLiteral("Family"));
    EXPECT_EQ(pane->FilterListBox()->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(pane->Filter().FilterMask, 0);
    EXPECT_EQ(listCaptions().size(), 4);
    EXPECT_TRUE(pane->FilterBtn1()->isChecked()); // the mode stays
}
