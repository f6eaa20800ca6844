#include "mainwnd/shortcut_list_ctrl.h"

#include "ui/dialog.h"

namespace brindle {

LRESULT ShortcutListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        SendMessageA(GetParent(Hwnd()), WM_DROPFILES, wParam, 0);
    }
    if (message == WM_NOTIFY &&
        !ui::IsNotificationFrom(lParam, {ListView_GetHeader(Hwnd()), ListView_GetToolTips(Hwnd())}))
        return 0;
    return DefaultProc(message, wParam, lParam);
}

}  // namespace brindle
