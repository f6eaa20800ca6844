#include "mainwnd/page_tree_ctrl.h"

#include "ui/dialog.h"

namespace brindle {

LRESULT PageTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && !ui::IsNotificationFrom(lParam, {TreeView_GetToolTips(Hwnd())}))
        return 0;
    return DefaultProc(message, wParam, lParam);
}

}  // namespace brindle
