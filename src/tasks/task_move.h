#pragma once

#include <vector>

#include "ui/on_screen.h"

// The rules for Select's typed position and size: what the target window gets, and what is refused.
// Portable; the dialog reads the fields and the monitors and shows the refusal.
namespace brindle {

struct MoveRequest {
    bool position = false;  // the "&Position" box: move to (x, y)
    bool size = false;      // the "&Size" box: make it width x height
    int x = 0, y = 0, width = 0, height = 0;
};

enum class MoveRefusal {
    None,
    Width,      // a width below 1
    Height,     // a height below 1
    OffScreen,  // the caption would lie on no monitor: the user could never get the window back
};

struct MovePlan {
    MoveRefusal refusal = MoveRefusal::None;
    ui::ScreenRect rect;  // where the window goes (its current place and size where nothing was asked)
};

// `current` is the window's rectangle (a minimised window's restored one); `monitors` the screen
// rectangles of the monitors; `captionHeight` as for ui::CaptionReachable. Sums are taken without
// overflow: a position near the end of the int range is simply off screen.
MovePlan PlanMove(const MoveRequest& request,
                  const ui::ScreenRect& current,
                  const std::vector<ui::ScreenRect>& monitors,
                  int captionHeight);

// A restored rectangle as the system keeps it for a minimised window (relative to the work area of its
// monitor) in screen coordinates.
ui::ScreenRect WorkspaceToScreen(const ui::ScreenRect& rect,
                                 const ui::ScreenRect& workArea,
                                 const ui::ScreenRect& monitor);

}  // namespace brindle
