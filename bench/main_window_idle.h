#pragma once

#include <windows.h>

#include "mainwnd/main_dialog.h"

namespace bench {

// The main window makes what its first paint does not need once it is idle, a piece a timer tick, the
// search window last; a timed scenario starts after that, or its work would land inside a measurement.
// False when the search window did not come within about five seconds.
inline bool WaitForIdleWork(const brindle::MainDialog& dialog) {
    for (int wait = 0; wait < 500 && !dialog.SearchWindow(); ++wait) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
    return dialog.SearchWindow() != nullptr;
}

}  // namespace bench
