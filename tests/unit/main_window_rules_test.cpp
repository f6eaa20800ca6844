// The main window's arithmetic and key rules, apart from any window.
#include <gtest/gtest.h>

#include <vector>

#include "mainwnd/hot_keys.h"
#include "mainwnd/layout.h"
#include "mainwnd/task_key.h"
#include "store/preferences.h"
#include "ui/on_screen.h"

namespace brindle {
namespace {

TEST(MainLayout, ControlsBesideTheSplitter) {
    MainLayout layout = ComputeMainLayout(600, 400, 150, 24);
    EXPECT_EQ(layout.tree, (Box{0, 0, 149, 400}));
    EXPECT_EQ(layout.splitter, (Box{150, 0, 2, 400}));
    EXPECT_EQ(layout.status, (Box{152, 0, 448, 24}));
    EXPECT_EQ(layout.combo, (Box{152, 0, 448, 400}));  // its drop-down list may reach the bottom
    EXPECT_EQ(layout.list, (Box{152, 25, 448, 375}));

    // A window narrower than the stored position: the tree keeps cx - 2, the right side has nothing.
    EXPECT_EQ(ClampSplitterToClient(300, 200), 198);
    EXPECT_EQ(ClampSplitterToClient(100, 200), 100);
    MainLayout narrow = ComputeMainLayout(200, 100, 198, 24);
    EXPECT_EQ(narrow.list.width, 0);
    EXPECT_EQ(narrow.tree.width, 197);

    // At 150 % the bar is 3 pixels wide: the right side starts after it and the clamp leaves it whole.
    MainLayout wide = ComputeMainLayout(600, 400, 150, 36, 3);
    EXPECT_EQ(wide.splitter, (Box{150, 0, 3, 400}));
    EXPECT_EQ(wide.status, (Box{153, 0, 447, 36}));
    EXPECT_EQ(wide.list, (Box{153, 37, 447, 363}));
    EXPECT_EQ(ClampSplitterToClient(300, 200, 3), 197);
    EXPECT_FALSE(SplitterPositionAllowed(597, 600, 3));
    EXPECT_TRUE(SplitterPositionAllowed(596, 600, 3));
}

// A stored window stays where it was only when the user can still grab its caption.
TEST(OnScreen, AWindowIsMovedOnlyWhenItsCaptionIsOutOfReach) {
    using ui::ScreenRect;
    const std::vector<ScreenRect> screens{{0, 0, 1280, 1024}, {1280, 0, 2560, 1024}};
    EXPECT_TRUE(ui::CaptionReachable({100, 80, 700, 500}, 25, screens));
    EXPECT_TRUE(ui::CaptionReachable({1200, 80, 1800, 500}, 25, screens));  // across two monitors
    EXPECT_TRUE(ui::CaptionReachable({-560, 10, 40, 300}, 25, screens));    // a 40-pixel grip is left
    EXPECT_FALSE(ui::CaptionReachable({-570, 10, 30, 300}, 25, screens));
    // Overlapping the screen is not enough: with the caption above the top edge nothing can be grabbed.
    EXPECT_FALSE(ui::CaptionReachable({-600, -400, 80, 60}, 25, screens));
    EXPECT_FALSE(ui::CaptionReachable({100, -20, 700, 500}, 25, screens));
    EXPECT_FALSE(ui::CaptionReachable({3000, 80, 3600, 500}, 25, screens));  // a monitor that is gone
    EXPECT_FALSE(ui::CaptionReachable({100, 80, 100, 500}, 25, screens));    // empty

    const ScreenRect work{0, 0, 1280, 984};
    EXPECT_EQ(ui::MoveInside({-600, -400, 80, 60}, work), (ScreenRect{0, 0, 680, 460}));
    EXPECT_EQ(ui::MoveInside({3000, 900, 3600, 1300}, work), (ScreenRect{680, 584, 1280, 984}));
    EXPECT_EQ(ui::MoveInside({-10, -10, 2000, 1500}, work), work);  // larger than the screen: shrunk
    EXPECT_EQ(ui::CentreIn(600, 400, work), (ScreenRect{340, 292, 940, 692}));
}

TEST(MainLayout, DraggedSplitterStaysInside) {
    EXPECT_FALSE(SplitterPositionAllowed(0, 600));
    EXPECT_TRUE(SplitterPositionAllowed(1, 600));
    EXPECT_TRUE(SplitterPositionAllowed(597, 600));
    EXPECT_FALSE(SplitterPositionAllowed(598, 600));
    EXPECT_FALSE(SplitterPositionAllowed(-5, 600));
}

TEST(HotKeys, ModifierMapping) {
    // Ctrl+Alt+F (0x46) with HOTKEYF_EXT: EXT is dropped.
    HotKeyRegistration r = RegistrationFor((0x2 | 0x4 | 0x8) << 16 | 0x46, false);
    EXPECT_EQ(r.virtualKey, 0x46u);
    EXPECT_EQ(r.modifiers, modkey::kControl | modkey::kAlt);
    r = RegistrationFor(0x1 << 16 | 0x70, true);  // Shift+F1 and the WIN box
    EXPECT_EQ(r.modifiers, modkey::kShift | modkey::kWin);
    EXPECT_EQ(r.virtualKey, 0x70u);

    Preferences prefs = DefaultPreferences();
    prefs.dwHotkeyFocus = 0x2 << 16 | 'B';
    prefs.dwHotkeyTray = 0x4 << 16 | 'M';
    prefs.dwHotkeyWin = 2;  // only the tray key takes the Windows key
    // Ids 1 and 2 share the focus key; 3 is the tray key.
    EXPECT_EQ(RegistrationFor(prefs, kHotKeyFocus).virtualKey, static_cast<unsigned>('B'));
    EXPECT_EQ(RegistrationFor(prefs, kHotKeyRestore).modifiers, modkey::kControl);
    EXPECT_EQ(RegistrationFor(prefs, kHotKeyTrayMenu).virtualKey, static_cast<unsigned>('M'));
    EXPECT_EQ(RegistrationFor(prefs, kHotKeyTrayMenu).modifiers, modkey::kAlt | modkey::kWin);
}

class TaskKey : public ::testing::Test {
protected:
    void Hold(unsigned vk) { matcher.SetModifier(TaskKeyMatcher::ModifierOf(vk), true); }
    TaskKeyMatcher matcher;
    static constexpr unsigned kLShift = 0xA0, kRCtrl = 0xA3, kLAlt = 0xA4, kLWin = 0x5B;
};

TEST_F(TaskKey, MatchesExactlyTheStoredModifiers) {
    const int32_t ctrlShiftT = (0x1 | 0x2) << 16 | 'T';
    EXPECT_FALSE(matcher.MatchPress('T', false, ctrlShiftT, 0));
    Hold(kLShift);
    EXPECT_FALSE(matcher.MatchPress('T', false, ctrlShiftT, 0));
    Hold(kRCtrl);
    EXPECT_FALSE(matcher.MatchPress('U', false, ctrlShiftT, 0));
    EXPECT_FALSE(matcher.MatchPress('T', true, ctrlShiftT, 0));  // Alt from the event's flag counts
    EXPECT_TRUE(matcher.MatchPress('T', false, ctrlShiftT, 0));
    // The match forgets the modifiers it used.
    EXPECT_FALSE(matcher.IsDown(TaskKeyMatcher::kLeftShift));
    EXPECT_FALSE(matcher.IsDown(TaskKeyMatcher::kRightControl));
}

TEST_F(TaskKey, WindowsKeyBox) {
    const int32_t altT = 0x4 << 16 | 'T';
    Hold(kLWin);
    EXPECT_FALSE(matcher.MatchPress('T', true, altT, 0));  // a held Windows key prevents it without the box
    EXPECT_TRUE(matcher.MatchPress('T', true, altT, 4));   // and is required with it
    EXPECT_FALSE(matcher.IsDown(TaskKeyMatcher::kLeftWin));
    EXPECT_FALSE(matcher.MatchPress('T', true, altT, 4));
    EXPECT_TRUE(matcher.MatchPress('T', true, altT, 0));   // Alt only from the flag
}

TEST_F(TaskKey, ExtendedKeysAndNoKey) {
    // Ctrl+Insert as a hot-key control reports it: HOTKEYF_EXT set. It fires without a Windows key.
    const int32_t ctrlInsert = (0x2 | 0x8) << 16 | 0x2D;
    Hold(kRCtrl);
    EXPECT_TRUE(matcher.MatchPress(0x2D, false, ctrlInsert, 0));
    matcher.Clear();
    EXPECT_FALSE(matcher.MatchPress('A', false, 0, 0));  // no key set never matches a real key
    EXPECT_EQ(TaskKeyMatcher::ModifierOf('A'), -1);
    EXPECT_EQ(TaskKeyMatcher::ModifierOf(kLAlt), TaskKeyMatcher::kLeftAlt);
}

}  // namespace
}  // namespace brindle
