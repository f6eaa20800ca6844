#pragma once

// Where a control of a resizable dialog goes when the dialog's client area changes size: each edge
// either keeps its distance from the client area's left/top edge or from its right/bottom edge.
// Portable arithmetic; anchored_layout_win.h applies it to the controls.
namespace brindle::ui {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// Edges that follow the right or bottom side of the client area; the others keep to the left or top.
namespace anchor {
constexpr unsigned kNone = 0;      // fixed at the top left
constexpr unsigned kLeft = 0x1;    // the left edge follows the right side (moves right)
constexpr unsigned kTop = 0x2;     // the top edge follows the bottom side
constexpr unsigned kRight = 0x4;   // the right edge follows the right side (grows)
constexpr unsigned kBottom = 0x8;  // the bottom edge follows the bottom side
constexpr unsigned kMoveRight = kLeft | kRight;
constexpr unsigned kMoveDown = kTop | kBottom;
constexpr unsigned kStretchRight = kRight;
constexpr unsigned kStretchDown = kBottom;
}  // namespace anchor

// `initial` is the control in a client area of `initialWidth` x `initialHeight`; the result is where it
// goes in one of `width` x `height`. A client area smaller than the initial one (the minimum track size
// keeps the window from that, but a maximised or snapped window may still get it) never gives a
// control a negative width or height.
Box AnchoredBox(const Box& initial, int initialWidth, int initialHeight, int width, int height, unsigned anchors);

// `box`, measured at `fromDpi`, at `toDpi`: each edge scaled, so neighbours that touched still touch.
Box ScaleBox(const Box& box, unsigned fromDpi, unsigned toDpi);

}  // namespace brindle::ui
