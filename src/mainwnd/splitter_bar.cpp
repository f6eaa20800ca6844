#include "mainwnd/splitter_bar.h"

#include "mainwnd/main_dialog.h"

namespace brindle {

LRESULT SplitterBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            SendMessageA(GetParent(Hwnd()), WM_SPLITTER_DRAG, 0, 0);
            break;
        case WM_SETCURSOR:
            SetCursor(LoadCursorA(nullptr, IDC_SIZEWE));
            return TRUE;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace brindle
