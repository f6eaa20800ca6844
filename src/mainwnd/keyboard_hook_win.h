#pragma once

#include <windows.h>

#include "mainwnd/task_key.h"

namespace brindle {

class MainDialog;

// The low-level keyboard hook that sees the task select hot key (it is not registered, so it works
// while other programs have the focus). One per process, on a thread of its own: every key press on the
// desktop waits for the hook, so it must answer at once whatever the main thread is doing (a shell menu
// binding an offline share, a link being resolved). The thread only decides and posts WM_TASK_KEY to
// the main window.
class KeyboardHook {
public:
    // Starts the hook's thread for `dialog` unless it runs, with the remembered modifier states clear;
    // the task key is taken from the preferences now (and again at every call). False when the hook
    // could not be installed.
    static bool Install(MainDialog* dialog);
    // Ends the hook's thread and waits for it; nothing is decided any more.
    static void Remove();
    static bool Installed();
    // Has the hook's thread put in a fresh hook in place of its own and waits for it; the main window
    // does it now and then, since the system may have taken the old one out without a word.
    static bool Renew();
    static HHOOK Handle();
    // The hook's thread, 0 when none runs.
    static DWORD ThreadId();

    // The decision for one keyboard event (exposed for tests): true when the key press is swallowed.
    static bool HandleEvent(WPARAM message, const KBDLLHOOKSTRUCT& event);
    static TaskKeyMatcher& Matcher();

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI ThreadMain(void* started);
};

}  // namespace brindle
