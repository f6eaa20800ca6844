#include "ui/subclass.h"

#include "ui/dialog.h"

namespace brindle::ui {

bool SubclassedWindow::Attach(HWND window) {
    Detach();
    if (!window || GetWindowLongPtrA(window, GWLP_USERDATA) != 0) {
        return false;  // the user slot is someone else's
    }
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedWindow::Procedure)));
    if (!original_) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return false;
    }
    hwnd_ = window;
    return true;
}

void SubclassedWindow::Detach() {
    if (!hwnd_) {
        return;
    }
    // Only a procedure that is still ours can be taken back without cutting out a later one.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd_, GWLP_WNDPROC)) == &SubclassedWindow::Procedure) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
}

LRESULT CALLBACK SubclassedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SubclassedWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        WNDPROC original = self->original_;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (...) {
        ReportUnexpectedError();
    }
    return 0;
}

}  // namespace brindle::ui
