#include <cstdint>
#include <stdexcept>

#include <gtest/gtest.h>

#include "ui/anchored_layout.h"
#include "ui/dpi.h"
#include "ui/field_rules.h"
#include "ui/ready_scope.h"

namespace brindle::ui {
namespace {

TEST(IntegerField, TakesDecimalValuesWithinTheRangeOnly) {
    EXPECT_EQ(ParseIntegerField("42", 1, 999), 42);
    EXPECT_EQ(ParseIntegerField(" 7 ", 1, 999), 7);
    EXPECT_EQ(ParseIntegerField("-5", -10, 10), -5);
    EXPECT_EQ(ParseIntegerField("+999", 1, 999), 999);
    EXPECT_EQ(ParseIntegerField("1", 1, 999), 1);
    // Edges just outside, empty and non-digit texts.
    EXPECT_EQ(ParseIntegerField("0", 1, 999), std::nullopt);
    EXPECT_EQ(ParseIntegerField("1000", 1, 999), std::nullopt);
    EXPECT_EQ(ParseIntegerField("", 1, 999), std::nullopt);
    EXPECT_EQ(ParseIntegerField("  ", 1, 999), std::nullopt);
    EXPECT_EQ(ParseIntegerField("-", -10, 10), std::nullopt);
    EXPECT_EQ(ParseIntegerField("12a", 1, 999), std::nullopt);
    EXPECT_EQ(ParseIntegerField("1 2", 1, 999), std::nullopt);
    EXPECT_EQ(ParseIntegerField("0x10", 0, 999), std::nullopt);
    // Long digit strings that would wrap a 32-bit (or 64-bit) accumulator back into the range.
    EXPECT_EQ(ParseIntegerField("4294967338", 1, 999), std::nullopt);            // 2^32 + 42
    EXPECT_EQ(ParseIntegerField("18446744073709551658", 1, 999), std::nullopt);  // 2^64 + 42
    EXPECT_EQ(ParseIntegerField("2147483647", INT32_MIN, INT32_MAX), INT32_MAX);
    EXPECT_EQ(ParseIntegerField("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
    EXPECT_EQ(ParseIntegerField("2147483648", INT32_MIN, INT32_MAX), std::nullopt);
}

TEST(DpiScaling, RoundsAsTheSystemDoesAndComesBackToTheStoredLength) {
    EXPECT_EQ(ScaleToDpi(16, 144), 24);
    EXPECT_EQ(ScaleToDpi(-12, 144), -18);  // a font height keeps its sign
    EXPECT_EQ(ScaleToDpi(5, 120), 6);      // 6.25
    EXPECT_EQ(ScaleToDpi(-5, 120), -6);
    EXPECT_EQ(ScaleToDpi(2, 120), 3);      // 2.5 rounds away from zero, as MulDiv
    EXPECT_EQ(ScaleToDpi(7, 0), 7);        // no DPI known: 96
    EXPECT_EQ(ScaleBetweenDpi(18, 144, 192), 24);
    // A stored 96-DPI font height survives every common scale unchanged.
    for (unsigned dpi : {96u, 120u, 144u, 168u, 192u, 240u, 288u})
        for (int height = -72; height <= 72; ++height)
            ASSERT_EQ(ScaleFromDpi(ScaleToDpi(height, dpi), dpi), height) << dpi << " " << height;
    EXPECT_EQ(SmallIconSizeForDpi(96), 16);
    EXPECT_EQ(SmallIconSizeForDpi(120), 20);
    EXPECT_EQ(SmallIconSizeForDpi(144), 24);
    EXPECT_EQ(SmallIconSizeForDpi(168), 28);
    EXPECT_EQ(SmallIconSizeForDpi(192), 32);
    EXPECT_EQ(SmallIconSizeForDpi(72), 16);  // never below the 100 % size
}

TEST(HotKeyField, RefusesABareKeyAndShiftWithAKey) {
    EXPECT_TRUE(IsAcceptedHotKey(0, 0));  // no hot key
    EXPECT_FALSE(IsAcceptedHotKey('A', 0));
    EXPECT_FALSE(IsAcceptedHotKey('A', hotkey::kShift));
    EXPECT_FALSE(IsAcceptedHotKey(0x70 /* F1 */, hotkey::kExtended));
    EXPECT_TRUE(IsAcceptedHotKey('A', hotkey::kControl));
    EXPECT_TRUE(IsAcceptedHotKey('A', hotkey::kAlt | hotkey::kShift));
    EXPECT_TRUE(IsAcceptedHotKey(0x70, hotkey::kControl | hotkey::kAlt));
}

struct FakeMainWindow {
    bool ready = true;
    int changes = 0;
    bool Ready() const { return ready; }
    void SetReady(bool value) {
        ready = value;
        ++changes;
    }
};

TEST(ReadyScope, ClearsTheFlagAndPutsBackThePreviousStateOnEveryWayOut) {
    FakeMainWindow window;
    {
        ReadyScope outer(window);
        EXPECT_FALSE(window.ready);
        {
            // A dialog opened from a dialog: its end must not make the main window ready early.
            ReadyScope inner(window);
            EXPECT_FALSE(window.ready);
        }
        EXPECT_FALSE(window.ready);
    }
    EXPECT_TRUE(window.ready);

    window.changes = 0;
    EXPECT_THROW(
        {
            ReadyScope scope(window);
            throw std::runtime_error("the dialog failed");
        },
        std::runtime_error);
    EXPECT_TRUE(window.ready);
    EXPECT_EQ(window.changes, 2);

    // A window that was not ready stays so.
    window.ready = false;
    { ReadyScope scope(window); }
    EXPECT_FALSE(window.ready);
}

TEST(AnchoredLayout, EdgesFollowTheSidesTheyAreAnchoredTo) {
    const Box list{10, 10, 190, 150};
    // Client area 200 x 180 grown to 260 x 230 (dx 60, dy 50).
    EXPECT_EQ(AnchoredBox(list, 200, 180, 260, 230, anchor::kNone), list);
    EXPECT_EQ(AnchoredBox(list, 200, 180, 260, 230, anchor::kStretchRight | anchor::kStretchDown),
              (Box{10, 10, 250, 200}));
    const Box button{140, 155, 190, 170};
    EXPECT_EQ(AnchoredBox(button, 200, 180, 260, 230, anchor::kMoveRight | anchor::kMoveDown),
              (Box{200, 205, 250, 220}));
    // Each direction on its own: a right or bottom anchor alone does not move the other axis.
    EXPECT_EQ(AnchoredBox(button, 200, 180, 260, 230, anchor::kMoveDown), (Box{140, 205, 190, 220}));
    EXPECT_EQ(AnchoredBox(list, 200, 180, 260, 230, anchor::kStretchRight), (Box{10, 10, 250, 150}));
    // Shrunk below the template's size: the stretched list keeps no negative extent.
    EXPECT_EQ(AnchoredBox(list, 200, 180, 0, 0, anchor::kStretchRight | anchor::kStretchDown), (Box{10, 10, 10, 10}));
}

}  // namespace
}  // namespace brindle::ui
