#include "tasks/task_move.h"

#include <cstdint>
#include <limits>

namespace brindle {

MovePlan PlanMove(const MoveRequest& request,
                  const ui::ScreenRect& current,
                  const std::vector<ui::ScreenRect>& monitors,
                  int captionHeight) {
    MovePlan plan;
    plan.rect = current;
    if (request.size) {
        if (request.width < 1) {
            plan.refusal = MoveRefusal::Width;
            return plan;
        }
        if (request.height < 1) {
            plan.refusal = MoveRefusal::Height;
            return plan;
        }
    }
    const int64_t left = request.position ? request.x : current.left;
    const int64_t top = request.position ? request.y : current.top;
    const int64_t width = request.size ? request.width : current.Width();
    const int64_t height = request.size ? request.height : current.Height();
    constexpr int64_t kMost = std::numeric_limits<int>::max();
    if (left + width > kMost || top + height > kMost) {
        plan.refusal = MoveRefusal::OffScreen;
        return plan;
    }
    plan.rect = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + width),
                 static_cast<int>(top + height)};
    // Only a typed position is checked: a window the user merely resizes stays where it is.
    if (request.position && !ui::CaptionReachable(plan.rect, captionHeight, monitors))
        plan.refusal = MoveRefusal::OffScreen;
    return plan;
}

ui::ScreenRect WorkspaceToScreen(const ui::ScreenRect& rect,
                                 const ui::ScreenRect& workArea,
                                 const ui::ScreenRect& monitor) {
    const int dx = workArea.left - monitor.left, dy = workArea.top - monitor.top;
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

}  // namespace brindle
