#pragma once

#include <windows.h>

namespace brindle::ui {

// A control's drawing turned off for a fill and on again at the end of the scope, when the control is
// invalidated whole, its frame and children too (a scroll bar may have come or gone).
// Windows' controls pass WM_SETREDRAW on to the default handling, which takes the window out of
// drawing; Wine's list view handles it alone and stays visible, so every change of the fill draws its
// scroll bar at once (several milliseconds each with the themed bars). The default handling is called
// here as well, so the fill draws nothing on either system.
class RedrawSuspension {
public:
    explicit RedrawSuspension(HWND control);
    ~RedrawSuspension();
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

private:
    HWND control_;
    bool wasVisible_;
};

}  // namespace brindle::ui
