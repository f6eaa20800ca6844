// What the dialogs compute for a display scale: a laid-out place carried to another DPI, and which of two
// icons is drawn at the size a DPI asks for.
#include <gtest/gtest.h>

#include "ui/anchored_layout.h"
#include "ui/icon_pick.h"

namespace brindle::ui {
namespace {

TEST(ScaleBox, CarriesEachEdgeToTheNewDpiSoNeighboursStillTouch) {
    EXPECT_EQ(ScaleBox({10, 20, 110, 45}, 96, 144), (Box{15, 30, 165, 68}));  // 67.5 rounds up
    EXPECT_EQ(ScaleBox({15, 30, 165, 68}, 144, 96), (Box{10, 20, 110, 45}));
    EXPECT_EQ(ScaleBox({-3, 0, 7, 1}, 96, 192), (Box{-6, 0, 14, 2}));
    // Two controls side by side: the right edge of one and the left edge of the next stay one line.
    const Box left = ScaleBox({0, 0, 33, 10}, 96, 120), right = ScaleBox({33, 0, 70, 10}, 96, 120);
    EXPECT_EQ(left.right, right.left);
    EXPECT_EQ(ScaleBox({1, 2, 3, 4}, 144, 144), (Box{1, 2, 3, 4}));
}

TEST(PickIcon, TakesTheSmallIconWhenBigEnoughElseTheLargerPictureDrawnSmaller) {
    EXPECT_EQ(PickIcon(16, 32, 16), IconPick::Small);  // 100 %: as before
    EXPECT_EQ(PickIcon(24, 48, 24), IconPick::Small);  // a program that gives the size asked for
    EXPECT_EQ(PickIcon(16, 32, 24), IconPick::Big);    // 150 %: 32 drawn at 24, not 16 blown up
    EXPECT_EQ(PickIcon(16, 0, 24), IconPick::Small);   // all there is
    EXPECT_EQ(PickIcon(0, 32, 16), IconPick::Big);
    EXPECT_EQ(PickIcon(16, 16, 24), IconPick::Small);  // the big one is no larger
    EXPECT_EQ(PickIcon(0, 0, 24), IconPick::None);
}

}  // namespace
}  // namespace brindle::ui
