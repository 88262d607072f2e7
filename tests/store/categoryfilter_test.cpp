#include "store/categoryfilter.h"
#include "store/categorynames.h"

#include <gtest/gtest.h>

namespace {

qint32 cats(std::initializer_list<int> numbers)
{
    qint32 set = 0;
    for (int n : numbers)
        set |= CategoryBit(n);
    return set;
}

} // namespace

TEST(CategoryFilter, AnyShowsWhatSharesATickedCategory)
{
    CategoryFilter f{CategoryFilter::Mode::Any, cats({32})};
    EXPECT_FALSE(f.IsFilteredOut(cats({32})));   // the sign bit counts like any other
    EXPECT_FALSE(f.IsFilteredOut(cats({1, 32})));
    EXPECT_TRUE(f.IsFilteredOut(cats({1})));
    EXPECT_TRUE(f.IsFilteredOut(0));

    f.FilterMask = cats({1, 2});
    EXPECT_FALSE(f.IsFilteredOut(cats({2, 7})));
    EXPECT_TRUE(f.IsFilteredOut(cats({3})));
}

TEST(CategoryFilter, AllWantsEveryTickedCategory)
{
    CategoryFilter f{CategoryFilter::Mode::All, cats({1, 2})};
    EXPECT_FALSE(f.IsFilteredOut(cats({1, 2, 5})));
    EXPECT_TRUE(f.IsFilteredOut(cats({1})));
    EXPECT_TRUE(f.IsFilteredOut(0));
    f.FilterMask = cats({1, 32});
    EXPECT_FALSE(f.IsFilteredOut(cats({1, 32})));
    EXPECT_TRUE(f.IsFilteredOut(cats({32})));
}

TEST(CategoryFilter, NothingHiddenWithNothingTickedOrNoButtonDown)
{
    for (auto mode : {CategoryFilter::Mode::Any, CategoryFilter::Mode::All}) {
        const CategoryFilter f{mode, 0};
        EXPECT_FALSE(f.IsFilteredOut(0));
        EXPECT_FALSE(f.IsFilteredOut(cats({4})));
        EXPECT_TRUE(f.FilterMode());
    }
    const CategoryFilter off{CategoryFilter::Mode::Off, cats({1})};
    EXPECT_FALSE(off.FilterMode());
    EXPECT_FALSE(off.IsFilteredOut(0));
    EXPECT_FALSE(off.IsFilteredOut(cats({2})));
}
