// The preferences dialog's conversions between stored values and its controls.
#include <gtest/gtest.h>

#include <cstring>

#include "preferences/preferences_rules.h"

namespace brindle::dialogs {
namespace {

TEST(PreferencesRules, FontTextGivesThePointSizeAtTheScreensResolution) {
    EXPECT_EQ(FontText("face", -12, 96), "face,9pt");
    EXPECT_EQ(FontText("ＭＳ 明朝", -16, 96), "ＭＳ 明朝,12pt");
    // A positive height (cell height) is shown as a positive size too.
    EXPECT_EQ(FontPoints(12, 96), 9);
    EXPECT_EQ(FontPoints(-12, 120), 7);  // 7.2 rounds down
    EXPECT_EQ(FontPoints(-15, 96), 11);  // 11.25
    EXPECT_EQ(FontPoints(-13, 96), 10);  // 9.75 rounds up
    EXPECT_EQ(FontPoints(-3, 144), 2);   // 1.5: half away from zero, as MulDiv rounds
    EXPECT_EQ(FontPoints(3, 144), 2);
    EXPECT_EQ(FontPoints(0, 96), 0);
    EXPECT_EQ(FontPoints(-12, 0), 1);        // MulDiv's -1 for a zero divisor
    EXPECT_EQ(FontPoints(INT32_MIN, 1), 1);  // too large for 32 bits: MulDiv's -1, never an overflow
}

TEST(PreferencesRules, HotKeyValueAndControlWordConvertBothWays) {
    // Ctrl+A: modifier 2 at bit 16, key 0x41.
    EXPECT_EQ(HotKeyControlWord(0x20041), 0x0241);
    EXPECT_EQ(StoredHotKey(0x0241), 0x20041);
    // The extended-key flag (8) is a modifier bit like the others and is kept both ways.
    EXPECT_EQ(HotKeyControlWord(0xE0025), 0x0E25);
    EXPECT_EQ(StoredHotKey(0x0E25), 0xE0025);
    // Bits above 23 and key codes above 255 cannot be shown and are lost on the way back.
    EXPECT_EQ(HotKeyControlWord(static_cast<int32_t>(0x7F060041)), 0x0641);
    EXPECT_EQ(StoredHotKey(HotKeyControlWord(static_cast<int32_t>(0xFF060041))), 0x60041);
    EXPECT_EQ(HotKeyControlWord(0x20141), 0x0241);
    // Bits 8-15 of the stored value do not leak into the modifiers.
    EXPECT_EQ(HotKeyControlWord(0x0000FF41), 0x0041);
    EXPECT_EQ(HotKeyControlWord(0), 0);
    EXPECT_EQ(StoredHotKey(0), 0);
    for (int32_t stored : {0x10070, 0x20041, 0x40078, 0x70031, 0xF0022})
        EXPECT_EQ(StoredHotKey(HotKeyControlWord(stored)), stored) << stored;
}

TEST(PreferencesRules, AGlobalHotKeyNeedsCtrlAltOrTheWindowsKey) {
    EXPECT_TRUE(IsAcceptedGlobalHotKey(0, false));        // no key: none
    EXPECT_TRUE(IsAcceptedGlobalHotKey(0x0241, false));   // Ctrl+A
    EXPECT_TRUE(IsAcceptedGlobalHotKey(0x0441, false));   // Alt+A
    EXPECT_TRUE(IsAcceptedGlobalHotKey(0x0041, true));    // Win+A
    EXPECT_TRUE(IsAcceptedGlobalHotKey(0x0141, true));    // Win+Shift+A
    EXPECT_FALSE(IsAcceptedGlobalHotKey(0x0041, false));  // A alone
    EXPECT_FALSE(IsAcceptedGlobalHotKey(0x0141, false));  // Shift+A
    EXPECT_FALSE(IsAcceptedGlobalHotKey(0x0870, false));  // F1 with only the extended flag
}

TEST(PreferencesRules, WindowsKeyBitsAndBoxes) {
    const WindowsKeyBoxes trayOnly = BoxesOfWindowsKeyBits(2);
    EXPECT_FALSE(trayOnly.focus);
    EXPECT_TRUE(trayOnly.tray);
    EXPECT_FALSE(trayOnly.task);
    EXPECT_EQ(WindowsKeyBitsOfBoxes(trayOnly), 2);
    const WindowsKeyBoxes focusAndTask = BoxesOfWindowsKeyBits(5);
    EXPECT_TRUE(focusAndTask.focus && focusAndTask.task && !focusAndTask.tray);
    EXPECT_EQ(WindowsKeyBitsOfBoxes({true, true, true}), 7);
    EXPECT_EQ(WindowsKeyBitsOfBoxes({}), 0);
    EXPECT_EQ(WindowsKeyBitsOfBoxes({false, false, true}), 4);
    // Bit 3 is the search key's box.
    EXPECT_TRUE(BoxesOfWindowsKeyBits(8).search);
    EXPECT_FALSE(BoxesOfWindowsKeyBits(7).search);
    EXPECT_EQ(WindowsKeyBitsOfBoxes({false, false, false, true}), 8);
    // Unknown bits are not shown and are rebuilt from nothing.
    EXPECT_EQ(WindowsKeyBitsOfBoxes(BoxesOfWindowsKeyBits(static_cast<int32_t>(0xFFFFFFF9))), 9);
}

TEST(PreferencesRules, IconPolicyRadios) {
    for (int32_t policy : {0, 1, 2}) {
        EXPECT_EQ(IconPolicyRadio(policy), policy);
        EXPECT_EQ(IconPolicyOfRadio(IconPolicyRadio(policy)), policy);
    }
    // An unknown stored value checks no button, and confirming stores -1 ("always fetch").
    for (int32_t unknown : {-1, 3, 7, -100, INT32_MAX}) {
        EXPECT_EQ(IconPolicyRadio(unknown), -1) << unknown;
        EXPECT_EQ(IconPolicyOfRadio(IconPolicyRadio(unknown)), -1) << unknown;
    }
}

// Every field the dialog edits is taken, and nothing else: a byte pattern per source tells them apart.
TEST(PreferencesRules, TakingTheEditedPreferencesCopiesExactlyTheDialogsFields) {
    Preferences edited;
    std::memset(&edited, 0x11, sizeof edited);
    Preferences prefs;
    std::memset(&prefs, 0x22, sizeof prefs);
    TakeEditedPreferences(edited, prefs);

    const Preferences untouched = [] {
        Preferences p;
        std::memset(&p, 0x22, sizeof p);
        return p;
    }();
    EXPECT_EQ(std::memcmp(&prefs.font, &edited.font, sizeof prefs.font), 0);
    for (ColorRef colour :
         {prefs.clrTreeText, prefs.clrTreeMark, prefs.clrTreeBack, prefs.clrTreeSelT, prefs.clrTreeSelB,
          prefs.clrTreeNfcT, prefs.clrTreeNfcB, prefs.clrListText, prefs.clrListTxBk, prefs.clrListBack,
          prefs.clrListSelT, prefs.clrListSelB, prefs.clrListNfcT, prefs.clrListNfcB})
        EXPECT_EQ(colour, edited.clrTreeText);
    for (int32_t value : {prefs.dwHotkeyFocus, prefs.dwHotkeyTray, prefs.dwHotkeyTask, prefs.dwHotkeyWin,
                          prefs.iChkLoadIcon, prefs.bCopyPaste, prefs.bCutDelete, prefs.bChkTaskhide})
        EXPECT_EQ(value, edited.dwHotkeyFocus);
    // The view mode, the current page, the window rectangles and the splitter are the caller's.
    EXPECT_EQ(prefs.ListStyle, untouched.ListStyle);
    EXPECT_EQ(prefs.Page, untouched.Page);
    EXPECT_EQ(std::memcmp(&prefs.winMainFrame, &untouched.winMainFrame, sizeof(Rect) * 3), 0);
    EXPECT_EQ(prefs.winSeparator, untouched.winSeparator);
}

}  // namespace
}  // namespace brindle::dialogs
