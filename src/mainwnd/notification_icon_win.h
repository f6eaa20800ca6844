#pragma once

#include <windows.h>

namespace brindle {

// Private message of the main window: the notification icon's mouse messages.
constexpr UINT WM_TRAY_NOTIFY = WM_APP + 2;
constexpr UINT kTrayIconId = 1500;

// The program's icon in the notification area: added, changed and removed for one window, remembering
// whether it is there and which icon it shows (to add it again when the shell restarts).
class NotificationIcon {
public:
    enum class Op { Add, Modify, Delete };

    void Attach(HWND window) { window_ = window; }
    void Notify(Op op, HICON icon);
    bool Present() const { return present_; }
    HICON Current() const { return current_; }

private:
    HWND window_ = nullptr;
    bool present_ = false;
    HICON current_ = nullptr;
};

}  // namespace brindle
