#include "mainwnd/keyboard_hook_win.h"

#include <atomic>

#include "mainwnd/main_dialog.h"
#include "store/settings_store.h"
#include "ui/handles.h"

namespace brindle {
namespace {

// Posted to the hook's thread: put in a fresh hook.
constexpr UINT kRenewHook = WM_APP + 1;
// How long the main thread waits for the hook's thread to start, renew or end; it answers at once.
constexpr DWORD kThreadAnswerMs = 5000;

// What the hook's thread reads is set by the main thread before the thread starts or while it runs,
// hence atomic; the matcher belongs to the hook's thread alone.
struct HookState {
    std::atomic<HWND> mainWindow{nullptr};
    std::atomic<HWND> taskSelect{nullptr};
    std::atomic<int32_t> taskKey{0};
    std::atomic<int32_t> windowsBits{0};
    std::atomic<HHOOK> hook{nullptr};
    TaskKeyMatcher matcher;
    // The main thread's.
    ui::UniqueKernelHandle thread;
    DWORD threadId = 0;
    ui::UniqueKernelHandle renewed{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
};

HookState& State() {
    static HookState state;
    return state;
}

HHOOK InstallHook(HOOKPROC procedure) {
    return SetWindowsHookExA(WH_KEYBOARD_LL, procedure, GetModuleHandleA(nullptr), 0);
}

}  // namespace

DWORD WINAPI KeyboardHook::ThreadMain(void* started) {
    HookState& state = State();
    MSG message;
    // The queue exists before the main thread learns that the thread runs: its messages are not lost.
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
    state.hook = InstallHook(Procedure);
    const bool installed = state.hook != nullptr;
    SetEvent(static_cast<HANDLE>(started));
    if (!installed)
        return 1;
    // The system calls the hook on this thread while it waits here.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == kRenewHook) {
            // The fresh hook goes in before the old one comes out, so no key slips through meanwhile.
            if (HHOOK fresh = InstallHook(Procedure))
                UnhookWindowsHookEx(state.hook.exchange(fresh));
            SetEvent(state.renewed.Get());
            continue;
        }
        DispatchMessageA(&message);
    }
    UnhookWindowsHookEx(state.hook.exchange(nullptr));
    return 0;
}

bool KeyboardHook::Install(MainDialog* dialog) {
    HookState& state = State();
    Preferences prefs;
    dialog->Store().GetPreferences(prefs);
    state.taskKey = prefs.dwHotkeyTask;
    state.windowsBits = prefs.dwHotkeyWin;
    state.taskSelect = dialog->TaskSelectWindow();
    state.mainWindow = dialog->Hwnd();
    if (state.thread)
        return true;
    state.matcher.Clear();
    ui::UniqueKernelHandle started(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!started)
        return false;
    state.thread.Reset(CreateThread(nullptr, 0, ThreadMain, started.Get(), 0, &state.threadId));
    if (!state.thread) {
        state.threadId = 0;
        return false;
    }
    const HANDLE waits[] = {started.Get(), state.thread.Get()};
    WaitForMultipleObjects(2, waits, FALSE, kThreadAnswerMs);
    if (!state.hook) {
        Remove();
        return false;
    }
    return true;
}

void KeyboardHook::Remove() {
    HookState& state = State();
    // Nothing is decided from here on: the main window may be gone before the next event.
    state.mainWindow = nullptr;
    state.taskSelect = nullptr;
    if (!state.thread)
        return;
    PostThreadMessageA(state.threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(state.thread.Get(), kThreadAnswerMs);
    state.thread.Reset();
    state.threadId = 0;
}

// Windows removes a low-level hook silently when one call takes longer than LowLevelHooksTimeout (a
// busy moment of the machine is enough), and says nothing about it. Only the thread that installs a
// hook runs it, so the hook's own thread puts in the fresh one.
bool KeyboardHook::Renew() {
    HookState& state = State();
    if (!state.thread)
        return false;
    ResetEvent(state.renewed.Get());
    if (!PostThreadMessageA(state.threadId, kRenewHook, 0, 0))
        return false;
    return WaitForSingleObject(state.renewed.Get(), kThreadAnswerMs) == WAIT_OBJECT_0;
}

HHOOK KeyboardHook::Handle() {
    return State().hook;
}

DWORD KeyboardHook::ThreadId() {
    return State().threadId;
}

bool KeyboardHook::Installed() {
    const HookState& state = State();
    return state.thread && state.hook;
}

TaskKeyMatcher& KeyboardHook::Matcher() {
    return State().matcher;
}

bool KeyboardHook::HandleEvent(WPARAM message, const KBDLLHOOKSTRUCT& event) {
    HookState& state = State();
    HWND mainWindow = state.mainWindow;
    if (!mainWindow) {
        return false;
    }
    HWND taskSelect = state.taskSelect;
    if (taskSelect && IsWindowVisible(taskSelect)) {
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
    if (!down || !taskSelect) {
        return false;
    }
    if (!state.matcher.MatchPress(event.vkCode, (event.flags & LLKHF_ALTDOWN) != 0, state.taskKey, state.windowsBits)) {
        return false;
    }
    // Only the decision is made here: a hook call that takes long is dropped by the system, and the
    // hook with it. The dialog is refreshed and shown by the main window once the key's call has returned.
    PostMessageA(mainWindow, WM_TASK_KEY, 0, 0);
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
