#pragma once

#include <cstdint>

namespace brindle {

// A hot key as the preferences keep it: virtual key in bits 0-15, the hot-key control's modifier
// flags from bit 16 (HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4, HOTKEYF_EXT 8).
namespace hotkeyf {
constexpr unsigned kShift = 1, kControl = 2, kAlt = 4, kExt = 8;
}
// RegisterHotKey's modifiers.
namespace modkey {
constexpr unsigned kAlt = 1, kControl = 2, kShift = 4, kWin = 8;
}

struct HotKeyRegistration {
    unsigned modifiers = 0;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
    unsigned virtualKey = 0;
};

// The registration for a stored hot key value and its "WIN" box; HOTKEYF_EXT is dropped.
HotKeyRegistration RegistrationFor(int32_t storedValue, bool withWindowsKey);

// The registered hot keys: 1 focus and 2 restore share the focus key (WIN bit 0), 3 the tray
// menu key (WIN bit 1).
// 4 opens the search window, shown or hidden (WIN bit 3).
enum HotKeyId { kHotKeyFocus = 1, kHotKeyRestore = 2, kHotKeyTrayMenu = 3, kHotKeySearch = 4 };

struct Preferences;
HotKeyRegistration RegistrationFor(const Preferences& prefs, int hotKeyId);

}  // namespace brindle
