#include "ui/anchored_layout.h"

#include "ui/dpi.h"

namespace brindle::ui {

Box AnchoredBox(const Box& initial, int initialWidth, int initialHeight, int width, int height, unsigned anchors) {
    const int dx = width - initialWidth;
    const int dy = height - initialHeight;
    Box box = initial;
    if (anchors & anchor::kLeft)
        box.left += dx;
    if (anchors & anchor::kRight)
        box.right += dx;
    if (anchors & anchor::kTop)
        box.top += dy;
    if (anchors & anchor::kBottom)
        box.bottom += dy;
    if (box.right < box.left)
        box.right = box.left;
    if (box.bottom < box.top)
        box.bottom = box.top;
    return box;
}

Box ScaleBox(const Box& box, unsigned fromDpi, unsigned toDpi) {
    return {ScaleBetweenDpi(box.left, fromDpi, toDpi), ScaleBetweenDpi(box.top, fromDpi, toDpi),
            ScaleBetweenDpi(box.right, fromDpi, toDpi), ScaleBetweenDpi(box.bottom, fromDpi, toDpi)};
}

}  // namespace brindle::ui
