#pragma once

#include <cstdint>

namespace brindle {

struct Preferences;

// The task select hot key, seen by the low-level keyboard hook: the hook remembers the state of the
// eight modifier keys and compares each other key press with the stored task key.
class TaskKeyMatcher {
public:
    enum Modifier { kLeftWin, kRightWin, kLeftShift, kRightShift, kLeftControl, kRightControl, kLeftAlt, kRightAlt };

    // The modifier a virtual key stands for, or -1 (VK_LWIN 0x5B ... VK_RMENU 0xA5).
    static int ModifierOf(unsigned virtualKey);

    void Clear();
    void SetModifier(int modifier, bool down) { down_[modifier] = down; }
    bool IsDown(int modifier) const { return down_[modifier]; }

    // True when a press of `virtualKey` (with the event's Alt flag) is the task key. A match forgets
    // the remembered down state of the modifier groups the key uses, since their releases may never
    // be seen by the hook once the key press is swallowed.
    bool MatchPress(unsigned virtualKey, bool altFlag, int32_t taskKey, int32_t windowsKeyBits);

private:
    unsigned PressedSet(bool altFlag) const;
    bool down_[8] = {};
};

}  // namespace brindle
