#include "ui/subclass.h"

namespace brindle::ui {
namespace {
constexpr UINT_PTR kSubclassId = 0xB21D;
}

bool SubclassedWindow::Attach(HWND window) {
    Detach();
    if (!window || !SetWindowSubclass(window, Procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    hwnd_ = window;
    return true;
}

void SubclassedWindow::Detach() {
    if (hwnd_) {
        RemoveWindowSubclass(hwnd_, Procedure, kSubclassId);
        hwnd_ = nullptr;
    }
}

LRESULT CALLBACK SubclassedWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedWindow*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, Procedure, kSubclassId);
        self->hwnd_ = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

}  // namespace brindle::ui
