#pragma once

#include <windows.h>

namespace brindle {

// What the task select dialog needs of the window that owns it: its ready state, cleared while the
// dialog asks a question, and bringing another program's window to the front once the current message
// is handled. The main window implements it; tests may hand in their own.
class TaskSelectHost {
public:
    virtual ~TaskSelectHost() = default;
    virtual bool Ready() const = 0;
    virtual void SetReady(bool ready) = 0;
    // Shows `target` in front at `rect`, with `flags` added to SetWindowPos's, after the current message.
    virtual void BringToFrontLater(HWND target, const RECT& rect, UINT flags) = 0;
    // The owner's window, whose font the dialog's list takes.
    virtual HWND HostWindow() const = 0;
};

}  // namespace brindle
