#pragma once

#include <windows.h>

#include "mainwnd/task_key.h"

namespace brindle {

class MainDialog;

// The low-level keyboard hook that sees the task select hot key (it is not registered, so it works
// while other programs have the focus). One per process; the system calls it on the UI thread.
class KeyboardHook {
public:
    // Installs the hook for `dialog` unless it is installed; the remembered modifier states start clear.
    static bool Install(MainDialog* dialog);
    static void Remove();
    static bool Installed();
    // Puts in a fresh hook in place of an installed one; the main window does it now and then, since
    // the system may have taken the old one out without a word.
    static bool Renew();
    static HHOOK Handle();

    // The decision for one keyboard event (exposed for tests): true when the key press is swallowed.
    static bool HandleEvent(WPARAM message, const KBDLLHOOKSTRUCT& event);
    static TaskKeyMatcher& Matcher();

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);
};

}  // namespace brindle
