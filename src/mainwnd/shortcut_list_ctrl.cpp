#include "mainwnd/shortcut_list_ctrl.h"

namespace brindle {

LRESULT ShortcutListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DROPFILES) {
        SendMessageA(GetParent(Hwnd()), WM_DROPFILES, wParam, 0);
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace brindle
