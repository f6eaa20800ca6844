#include "mainwnd/hot_keys.h"

#include "store/preferences.h"

namespace brindle {

HotKeyRegistration RegistrationFor(int32_t storedValue, bool withWindowsKey) {
    const unsigned value = static_cast<uint32_t>(storedValue);
    const unsigned flags = value >> 16;
    HotKeyRegistration result;
    result.virtualKey = value & 0xFFFF;
    if (flags & hotkeyf::kAlt)
        result.modifiers |= modkey::kAlt;
    if (flags & hotkeyf::kControl)
        result.modifiers |= modkey::kControl;
    if (flags & hotkeyf::kShift)
        result.modifiers |= modkey::kShift;
    if (withWindowsKey)
        result.modifiers |= modkey::kWin;
    return result;
}

HotKeyRegistration RegistrationFor(const Preferences& prefs, int hotKeyId) {
    if (hotKeyId == kHotKeySearch) {
        return RegistrationFor(prefs.dwHotkeySearch, (prefs.dwHotkeyWin & 8) != 0);
    }
    if (hotKeyId == kHotKeyTrayMenu) {
        return RegistrationFor(prefs.dwHotkeyTray, (prefs.dwHotkeyWin & 2) != 0);
    }
    return RegistrationFor(prefs.dwHotkeyFocus, (prefs.dwHotkeyWin & 1) != 0);
}

}  // namespace brindle
