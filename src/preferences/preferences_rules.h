#pragma once

#include <cstdint>
#include <string>

#include "store/preferences.h"

// Conversions of the preferences dialog between the stored preferences and its controls. Portable:
// texts are bytes of code page 932.
namespace brindle::dialogs {

// A font's size in points on a screen of `dotsPerInch`, as the font field shows it: the magnitude of
// lfHeight * 72 / dpi, rounded as the platform's MulDiv rounds (half away from zero).
int FontPoints(int32_t lfHeight, int dotsPerInch);
// The font field's text: face, comma, size in points, "pt" ("ＭＳ 明朝,9pt").
std::string FontText(const char* faceName, int32_t lfHeight, int dotsPerInch);

// A stored hot key (virtual key in the low 16 bits, hot-key control modifiers from bit 16) as the
// hot-key control's word: virtual key in the low byte, modifiers (bits 16-23) in the high byte. What the
// control cannot show (a key code above 255, modifier bits above 23) is dropped.
uint16_t HotKeyControlWord(int32_t stored);
// The stored value of a hot-key control's word: modifiers shifted to bit 16, or-ed with the key.
int32_t StoredHotKey(uint16_t controlWord);

// Whether a hot-key control's word may be a global hot key: none (0) is allowed; a key needs Ctrl, Alt
// or the Windows key with it, since a bare key (or Shift with a key) would be taken from every program.
bool IsAcceptedGlobalHotKey(uint16_t controlWord, bool withWindowsKey);

// The three "WIN" boxes and the bits of dwHotkeyWin: bit 0 main window, bit 1 tray menu, bit 2 task
// select. Bits above them are not shown and are dropped when the boxes are read back.
struct WindowsKeyBoxes {
    bool focus = false;
    bool tray = false;
    bool task = false;
    bool search = false;
};
WindowsKeyBoxes BoxesOfWindowsKeyBits(int32_t bits);
int32_t WindowsKeyBitsOfBoxes(const WindowsKeyBoxes& boxes);

// The icon policy iChkLoadIcon and its three radio buttons: 0 the default icon while Ctrl is held,
// 1 always the default icon, 2 always fetch. Any other stored value checks no button; with none
// checked the policy is stored as -1, which the program treats as "always fetch".
int IconPolicyRadio(int32_t stored);
int32_t IconPolicyOfRadio(int radio);

// Copies what the preferences dialog edits (font, the fourteen colours, the hot keys and their "WIN" bits,
// the icon policy and the three switches) from `edited` into `prefs`; everything else of `prefs` stays,
// so values changed while the dialog was open (the current page) are not put back.
void TakeEditedPreferences(const Preferences& edited, Preferences& prefs);

}  // namespace brindle::dialogs
