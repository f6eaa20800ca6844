#pragma once

#include <optional>
#include <string>

// Rules of the dialogs' fields that do not need a window: integer fields with a range and the keys a
// hot-key field accepts. Portable, so they are tested natively.
namespace brindle::ui {

// The value of an integer field: optional blanks, an optional sign and decimal digits only, within
// `minimum`..`maximum`. Nothing for an empty field, other characters, or a value out of the range
// (however many digits it has).
std::optional<int> ParseIntegerField(const std::string& text, int minimum, int maximum);

// Modifier bits of a hot-key control's value (HOTKEYF_SHIFT, HOTKEYF_CONTROL, HOTKEYF_ALT, HOTKEYF_EXT).
namespace hotkey {
constexpr unsigned kShift = 0x01;
constexpr unsigned kControl = 0x02;
constexpr unsigned kAlt = 0x04;
constexpr unsigned kExtended = 0x08;
}  // namespace hotkey

// Whether a hot-key field may hold `virtualKey` with `modifiers`: no key at all (0) is allowed and means
// "none"; a key needs Ctrl or Alt with it, since a bare key or Shift with a key would take that key away
// from every other program.
bool IsAcceptedHotKey(unsigned virtualKey, unsigned modifiers);

}  // namespace brindle::ui
