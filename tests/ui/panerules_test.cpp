#include "ui/panerules.h"

#include <gtest/gtest.h>

TEST(PaneRules, SplitterMovesOnlyBeyondFourPixels)
{
    using PaneRules::SplitterShouldResize;
    EXPECT_FALSE(SplitterShouldResize(201, 201));
    EXPECT_FALSE(SplitterShouldResize(201, 205)); // exactly 4 away
    EXPECT_FALSE(SplitterShouldResize(201, 197));
    EXPECT_TRUE(SplitterShouldResize(201, 206));
    EXPECT_TRUE(SplitterShouldResize(201, 196));
}
