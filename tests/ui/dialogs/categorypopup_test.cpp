#include "ui/dialogs/categorypopup.h"

#include "dialogtesting.h"

namespace {

QStringList names32()
{
    QStringList names;
    for (int n = 1; n <= CategoryCount; ++n)
        names << DefaultCategoryName(n);
    return names;
}

} // namespace

TEST(CategoryPopup, TicksFollowTheBits)
{
    TCategoryPopup popup;
    const qint32 mask = CategoryBit(1) | CategoryBit(5) | CategoryBit(32);
    popup.Fill(names32(), mask);
    ASSERT_EQ(popup.list()->count(), 32);
    EXPECT_EQ(popup.list()->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(popup.list()->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(popup.list()->item(4)->checkState(), Qt::Checked);
    EXPECT_EQ(popup.list()->item(31)->checkState(), Qt::Checked);
    EXPECT_EQ(popup.GetMask(), mask); // closed unchanged, category 32 stays

    popup.list()->item(0)->setCheckState(Qt::Unchecked);
    popup.list()->item(2)->setCheckState(Qt::Checked);
    EXPECT_EQ(popup.GetMask(), CategoryBit(3) | CategoryBit(5) | CategoryBit(32));

    // Filled again, nothing of the earlier ticks is left over.
    popup.Fill(names32(), 0);
    EXPECT_EQ(popup.GetMask(), 0);
}

TEST(CategoryPopup, ShortNameListKeepsTheCategoriesItCannotShow)
{
    TCategoryPopup popup;
    popup.Fill({"Family", "Work"}, CategoryBit(2) | CategoryBit(7) | CategoryBit(32));
    ASSERT_EQ(popup.list()->count(), 2);
    popup.list()->item(0)->setCheckState(Qt::Checked);
    popup.list()->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(popup.GetMask(), CategoryBit(1) | CategoryBit(7) | CategoryBit(32));
}
