#pragma once

#include <windows.h>

#include "ui/icon_pick.h"

namespace brindle::ui {

// The width of an icon's picture in pixels; 0 for no icon or one that cannot be read.
int IconEdge(HICON icon);

// The one of `small` and `big` (either may be null) to draw `wanted` pixels wide (PickIcon).
HICON IconForSize(HICON small, HICON big, int wanted);

}  // namespace brindle::ui
