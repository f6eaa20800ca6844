#include "preferences/preferences_rules.h"

#include <cstdlib>

#include "ui/field_rules.h"

namespace brindle::dialogs {
namespace {

// The platform's MulDiv: a * b / c in 64 bits, rounded half away from zero; -1 when c is 0 or the
// result does not fit.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0)
        return -1;
    int64_t numerator = static_cast<int64_t>(a) * b;
    int64_t denominator = c;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const int64_t half = denominator / 2;
    const int64_t result = (numerator >= 0 ? numerator + half : numerator - half) / denominator;
    return result > INT32_MAX || result < INT32_MIN ? -1 : static_cast<int32_t>(result);
}

constexpr unsigned kWinFocus = 1, kWinTray = 2, kWinTask = 4, kWinSearch = 8;

}  // namespace

int FontPoints(int32_t lfHeight, int dotsPerInch) {
    return std::abs(MulDiv(lfHeight, 72, dotsPerInch));
}

std::string FontText(const char* faceName, int32_t lfHeight, int dotsPerInch) {
    return std::string(faceName) + "," + std::to_string(FontPoints(lfHeight, dotsPerInch)) + "pt";
}

uint16_t HotKeyControlWord(int32_t stored) {
    const uint32_t value = static_cast<uint32_t>(stored);
    return static_cast<uint16_t>((value & 0xFF) | ((value >> 16) & 0xFF) << 8);
}

int32_t StoredHotKey(uint16_t controlWord) {
    return static_cast<int32_t>((controlWord >> 8) << 16 | (controlWord & 0xFF));
}

bool IsAcceptedGlobalHotKey(uint16_t controlWord, bool withWindowsKey) {
    const unsigned key = controlWord & 0xFF, modifiers = controlWord >> 8;
    if (key != 0 && withWindowsKey)
        return true;
    return ui::IsAcceptedHotKey(key, modifiers);
}

WindowsKeyBoxes BoxesOfWindowsKeyBits(int32_t bits) {
    const uint32_t value = static_cast<uint32_t>(bits);
    return {(value & kWinFocus) != 0, (value & kWinTray) != 0, (value & kWinTask) != 0, (value & kWinSearch) != 0};
}

int32_t WindowsKeyBitsOfBoxes(const WindowsKeyBoxes& boxes) {
    return static_cast<int32_t>((boxes.focus ? kWinFocus : 0) | (boxes.tray ? kWinTray : 0) |
                                (boxes.task ? kWinTask : 0) | (boxes.search ? kWinSearch : 0));
}

int IconPolicyRadio(int32_t stored) {
    return stored >= 0 && stored <= 2 ? stored : -1;
}

int32_t IconPolicyOfRadio(int radio) {
    return radio >= 0 && radio <= 2 ? radio : -1;
}

void TakeEditedPreferences(const Preferences& edited, Preferences& prefs) {
    prefs.font = edited.font;
    for (ColorRef Preferences::*colour :
         {&Preferences::clrTreeText, &Preferences::clrTreeMark, &Preferences::clrTreeBack, &Preferences::clrTreeSelT,
          &Preferences::clrTreeSelB, &Preferences::clrTreeNfcT, &Preferences::clrTreeNfcB, &Preferences::clrListText,
          &Preferences::clrListTxBk, &Preferences::clrListBack, &Preferences::clrListSelT, &Preferences::clrListSelB,
          &Preferences::clrListNfcT, &Preferences::clrListNfcB})
        prefs.*colour = edited.*colour;
    for (int32_t Preferences::*value :
         {&Preferences::dwHotkeyFocus, &Preferences::dwHotkeyTray, &Preferences::dwHotkeyTask,
          &Preferences::dwHotkeySearch, &Preferences::dwHotkeyWin, &Preferences::iChkLoadIcon, &Preferences::bCopyPaste,
          &Preferences::bCutDelete, &Preferences::bChkTaskhide, &Preferences::bRelativePaths})
        prefs.*value = edited.*value;
}

}  // namespace brindle::dialogs
