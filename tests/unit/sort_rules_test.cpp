#include <vector>

#include <gtest/gtest.h>

#include "sorting/sort_rules.h"

namespace brindle {
namespace {

TEST(SortButtons, UpOffOnTheFirstLineDownOffOnTheLastBothOffWithoutASelection) {
    EXPECT_EQ(SortButtonStates(-1, 3), (SortButtons{false, false}));
    EXPECT_EQ(SortButtonStates(0, 3), (SortButtons{false, true}));
    EXPECT_EQ(SortButtonStates(1, 3), (SortButtons{true, true}));
    EXPECT_EQ(SortButtonStates(2, 3), (SortButtons{true, false}));
    EXPECT_EQ(SortButtonStates(0, 1), (SortButtons{false, false}));
    EXPECT_EQ(SortButtonStates(3, 3), (SortButtons{false, false}));  // a selection past the end
}

TEST(SortMove, StaysInsideTheList) {
    EXPECT_EQ(SortMoveTarget(1, -1, 3), 0);
    EXPECT_EQ(SortMoveTarget(1, +1, 3), 2);
    EXPECT_EQ(SortMoveTarget(0, -1, 3), -1);
    EXPECT_EQ(SortMoveTarget(2, +1, 3), -1);
    EXPECT_EQ(SortMoveTarget(-1, +1, 3), -1);
    EXPECT_EQ(SortMoveTarget(5, -1, 3), -1);
}

TEST(SortOrder, ItemsFollowTheLinesAndStrayLinesAreLeftOut) {
    const std::vector<SortItem> items = {{"a", 0, 10}, {"b", 1, 20}, {"c", 2, 30}};
    const std::vector<SortItem> ordered = ItemsInLineOrder(items, {2, 0, 1});
    EXPECT_EQ(ordered, (std::vector<SortItem>{{"c", 2, 30}, {"a", 0, 10}, {"b", 1, 20}}));
    EXPECT_EQ(SortKeys(ordered), (std::vector<int>{30, 10, 20}));
    // A line naming no item or one twice gives a shorter list, which the store refuses, rather than a
    // list with one key twice.
    EXPECT_EQ(SortKeys(ItemsInLineOrder(items, {2, 2, 0})), (std::vector<int>{30, 10}));
    EXPECT_EQ(SortKeys(ItemsInLineOrder(items, {-1, 3, 1})), (std::vector<int>{20}));
}

TEST(SortLine, HoldsTheIconAndTheText) {
    EXPECT_EQ(SortLineHeight(12, 16), 16);
    EXPECT_EQ(SortLineHeight(0, 16), 16);
    EXPECT_EQ(SortLineHeight(22, 16), 22);
    // At 150 %: 24-pixel icons, a font 18 or 30 pixels high.
    EXPECT_EQ(SortLineHeight(18, 24), 24);
    EXPECT_EQ(SortLineHeight(30, 24), 30);
}

}  // namespace
}  // namespace brindle
