#include "mainwnd/keyboard_hook_win.h"

#include "mainwnd/main_dialog.h"
#include "store/settings_store.h"
#include "ui/handles.h"

namespace brindle {
namespace {

struct HookState {
    ui::UniqueHook hook;
    MainDialog* dialog = nullptr;
    TaskKeyMatcher matcher;
};

HookState& State() {
    static HookState state;
    return state;
}

}  // namespace

bool KeyboardHook::Install(MainDialog* dialog) {
    HookState& state = State();
    state.dialog = dialog;
    if (state.hook) {
        return true;
    }
    state.matcher.Clear();
    state.hook.Reset(SetWindowsHookExA(WH_KEYBOARD_LL, Procedure, GetModuleHandleA(nullptr), 0));
    return static_cast<bool>(state.hook);
}

void KeyboardHook::Remove() {
    HookState& state = State();
    state.hook.Reset();
    state.dialog = nullptr;  // the dialog may be gone before the next event
}

// Windows removes a low-level hook silently when one call takes longer than LowLevelHooksTimeout (a
// busy moment is enough), and says nothing about it. A fresh hook is put in before the old one is
// taken out, so no key slips through meanwhile.
bool KeyboardHook::Renew() {
    HookState& state = State();
    if (!state.hook) {
        return false;
    }
    HHOOK fresh = SetWindowsHookExA(WH_KEYBOARD_LL, Procedure, GetModuleHandleA(nullptr), 0);
    if (!fresh) {
        return false;
    }
    state.hook.Reset(fresh);
    return true;
}

HHOOK KeyboardHook::Handle() {
    return State().hook.Get();
}

bool KeyboardHook::Installed() {
    return static_cast<bool>(State().hook);
}

TaskKeyMatcher& KeyboardHook::Matcher() {
    return State().matcher;
}

bool KeyboardHook::HandleEvent(WPARAM message, const KBDLLHOOKSTRUCT& event) {
    HookState& state = State();
    MainDialog* dialog = state.dialog;
    if (!dialog) {
        return false;
    }
    // The dialog is not made here: it is made, the first time, when the posted message is handled.
    if (dialog->TaskSelectShown()) {
        return false;
    }
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    const int modifier = TaskKeyMatcher::ModifierOf(event.vkCode);
    if (modifier >= 0) {
        if (down || up)
            state.matcher.SetModifier(modifier, down);
        return false;
    }
    if (!down || !dialog->TaskSelectAvailable()) {
        return false;
    }
    Preferences prefs;
    dialog->Store().GetPreferences(prefs);
    if (!state.matcher.MatchPress(event.vkCode, (event.flags & LLKHF_ALTDOWN) != 0, prefs.dwHotkeyTask,
                                  prefs.dwHotkeyWin)) {
        return false;
    }
    // Only the decision is made here: a hook call that takes long is dropped by the system, and the
    // hook with it. The dialog is refreshed and shown once the key's call has returned.
    PostMessageA(dialog->Hwnd(), WM_TASK_KEY, 0, 0);
    return true;
}

LRESULT CALLBACK KeyboardHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
    // No exception may cross into the system; the key then simply passes on.
    try {
        if (code == HC_ACTION && HandleEvent(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam))) {
            return 1;
        }
    } catch (...) {
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace brindle
