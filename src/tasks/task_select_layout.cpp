#include "tasks/task_select_layout.h"

#include <algorithm>

namespace brindle {
namespace {

ui::Box At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

}  // namespace

TaskSelectLayout ComputeTaskSelectLayout(int cx, int cy, const TaskSelectSizes& sizes) {
    TaskSelectLayout layout;
    const int row = cy - std::max(sizes.cancelHeight, sizes.selectHeight) - 1;
    layout.cancel = At(cx - sizes.cancelWidth, row, sizes.cancelWidth, sizes.cancelHeight);
    layout.close = At(layout.cancel.left - 1 - sizes.closeWidth, row, sizes.closeWidth, sizes.closeHeight);
    layout.select = At(layout.close.left - 1 - sizes.selectWidth, row, sizes.selectWidth, sizes.selectHeight);
    layout.label = At(0, sizes.checkHeight + 1, sizes.labelWidth, sizes.labelHeight);
    const int listTop = sizes.checkHeight + sizes.labelHeight + 2;
    // A window squeezed below its minimum (maximised on a tiny screen) never gives the list a negative
    // height.
    layout.list = At(0, listTop, std::max(cx, 0), std::max(row - listTop, 0));
    const int hintRight = std::min(layout.select.left, layout.cancel.left) - 1;
    layout.hint = {0, layout.list.bottom + 1, std::max(hintRight, 0), std::max(cy, layout.list.bottom + 1)};
    return layout;
}

TrackSize MinimumTrackSize(int createdWidth, int createdHeight, int workWidth, int workHeight) {
    TrackSize size{createdWidth, createdHeight};
    if (size.width < 0 || size.width > workWidth)
        size.width = 320;
    if (size.height < 0 || size.height > workHeight)
        size.height = 160;
    return size;
}

}  // namespace brindle
