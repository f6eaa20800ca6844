#include "mainwnd/notification_icon_win.h"

#include <shellapi.h>

#include <cstring>

namespace brindle {
namespace {

constexpr char kTip[] = "ぶりんどる";

}  // namespace

void NotificationIcon::Notify(Op op, HICON icon) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;  // 88 bytes: understood by every shell
    data.hWnd = window_;
    data.uID = kTrayIconId;
    data.uCallbackMessage = WM_TRAY_NOTIFY;
    data.hIcon = icon;
    DWORD message = NIM_DELETE;
    if (op == Op::Add) {
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        std::strncpy(data.szTip, kTip, sizeof data.szTip - 1);  // 63 bytes at most; the tip is far shorter
        message = NIM_ADD;
        present_ = true;
    } else if (op == Op::Modify) {
        data.uFlags = NIF_ICON;
        message = NIM_MODIFY;
    } else {
        present_ = false;
    }
    current_ = op == Op::Delete ? nullptr : icon;
    Shell_NotifyIconA(message, &data);
}

}  // namespace brindle
