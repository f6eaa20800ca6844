#include "ui/redraw_suspension_win.h"

namespace brindle::ui {

RedrawSuspension::RedrawSuspension(HWND control)
    : control_(control), wasVisible_((GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0) {
    SendMessageA(control_, WM_SETREDRAW, FALSE, 0);
    if (wasVisible_)
        DefWindowProcA(control_, WM_SETREDRAW, FALSE, 0);
}

// The control's own handling runs while it is still out of drawing: it lays the items out and sets its
// scroll bars, and the one paint that follows draws them.
RedrawSuspension::~RedrawSuspension() {
    SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
    if (wasVisible_)
        DefWindowProcA(control_, WM_SETREDRAW, TRUE, 0);
    // The default handling validated the children too (a list's header): they are drawn again as well.
    RedrawWindow(control_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace brindle::ui
