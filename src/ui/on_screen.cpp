#include "ui/on_screen.h"

#include <algorithm>

namespace brindle::ui {

bool CaptionReachable(const ScreenRect& window, int captionHeight, const std::vector<ScreenRect>& workAreas) {
    if (window.Empty()) {
        return false;
    }
    const ScreenRect caption{window.left, window.top, window.right, window.top + captionHeight};
    const int needWidth = std::min(kCaptionGripWidth, window.Width());
    const int needHeight = std::min(kCaptionGripHeight, captionHeight);
    for (const ScreenRect& work : workAreas) {
        const int width = std::min(caption.right, work.right) - std::max(caption.left, work.left);
        const int height = std::min(caption.bottom, work.bottom) - std::max(caption.top, work.top);
        if (width >= needWidth && height >= needHeight && height > 0)
            return true;
    }
    return false;
}

ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& work) {
    const int width = std::min(window.Width(), work.Width());
    const int height = std::min(window.Height(), work.Height());
    const int left = std::clamp(window.left, work.left, work.right - width);
    const int top = std::clamp(window.top, work.top, work.bottom - height);
    return {left, top, left + width, top + height};
}

ScreenRect CentreIn(int width, int height, const ScreenRect& work) {
    width = std::min(width, work.Width());
    height = std::min(height, work.Height());
    const int left = work.left + (work.Width() - width) / 2;
    const int top = work.top + (work.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

}  // namespace brindle::ui
