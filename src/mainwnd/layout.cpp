#include "mainwnd/layout.h"

namespace brindle {

MainLayout ComputeMainLayout(int cx, int cy, int x, int h, int bar) {
    MainLayout layout;
    layout.tree = {0, 0, x - 1, cy};
    layout.splitter = {x, 0, bar, cy};
    layout.status = {x + bar, 0, cx - x - bar, h};
    layout.combo = {x + bar, 0, cx - x - bar, cy};
    layout.list = {x + bar, h + 1, cx - x - bar, cy - h - 1};
    return layout;
}

int ClampSplitterToClient(int barX, int clientWidth, int barWidth) {
    return barX > clientWidth - barWidth ? clientWidth - barWidth : barX;
}

bool SplitterPositionAllowed(int x, int clientWidth, int barWidth) {
    return x > 0 && x < clientWidth - barWidth;
}

}  // namespace brindle
