#pragma once

#include <vector>

// Where a window with a stored rectangle may appear: a rectangle from the settings file can belong to
// a monitor that is gone, or come from a hand-edited file. Portable arithmetic; the Windows half
// (on_screen_win.cpp) gathers the monitors.
namespace brindle::ui {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const ScreenRect&) const = default;
};

// How much of the caption must lie on a work area for the user to grab it with the mouse.
constexpr int kCaptionGripWidth = 40;
constexpr int kCaptionGripHeight = 8;

// Whether the caption strip (the top `captionHeight` pixels of `window`) shows on one of the work areas
// by at least the grip size (or the whole window width, when that is smaller).
bool CaptionReachable(const ScreenRect& window, int captionHeight, const std::vector<ScreenRect>& workAreas);

// `window` moved, and shrunk where it is larger, to lie wholly inside `work`.
ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& work);

// A rectangle of the given size centred in `work` (shrunk to fit).
ScreenRect CentreIn(int width, int height, const ScreenRect& work);

}  // namespace brindle::ui
