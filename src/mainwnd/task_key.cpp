#include "mainwnd/task_key.h"

namespace brindle {

int TaskKeyMatcher::ModifierOf(unsigned vk) {
    switch (vk) {
        case 0x5B:
            return kLeftWin;
        case 0x5C:
            return kRightWin;
        case 0xA0:
            return kLeftShift;
        case 0xA1:
            return kRightShift;
        case 0xA2:
            return kLeftControl;
        case 0xA3:
            return kRightControl;
        case 0xA4:
            return kLeftAlt;
        case 0xA5:
            return kRightAlt;
        default:
            return -1;
    }
}

void TaskKeyMatcher::Clear() {
    for (bool& down : down_)
        down = false;
}

// The modifiers held now, as hot-key control flags: Shift 1, Ctrl 2, Alt 4, Win 8.
unsigned TaskKeyMatcher::PressedSet(bool altFlag) const {
    unsigned set = 0;
    if (down_[kLeftShift] || down_[kRightShift])
        set |= 1;
    if (down_[kLeftControl] || down_[kRightControl])
        set |= 2;
    if (down_[kLeftAlt] || down_[kRightAlt] || altFlag)
        set |= 4;
    if (down_[kLeftWin] || down_[kRightWin])
        set |= 8;
    return set;
}

bool TaskKeyMatcher::MatchPress(unsigned vk, bool altFlag, int32_t taskKey, int32_t windowsKeyBits) {
    const uint32_t stored = static_cast<uint32_t>(taskKey);
    // HOTKEYF_EXT (8) only marks an extended key; it is dropped as for the registered hot keys, or it
    // would read as "Windows key held" and such a key could never fire.
    unsigned expected = (stored >> 16) & 7;
    if (windowsKeyBits & 4)
        expected |= 8;
    if ((PressedSet(altFlag) & 0xFFFF) != (expected & 0xFFFF) || vk != (stored & 0xFFFF)) {
        return false;
    }
    if (expected & 1)
        down_[kLeftShift] = down_[kRightShift] = false;
    if (expected & 2)
        down_[kLeftControl] = down_[kRightControl] = false;
    if (expected & 4)
        down_[kLeftAlt] = down_[kRightAlt] = false;
    if (expected & 8)
        down_[kLeftWin] = down_[kRightWin] = false;
    return true;
}

}  // namespace brindle
