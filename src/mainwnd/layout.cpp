#include "mainwnd/layout.h"

namespace brindle {

MainLayout ComputeMainLayout(int cx, int cy, int x, int h) {
    MainLayout layout;
    layout.tree = {0, 0, x - 1, cy};
    layout.splitter = {x, 0, 2, cy};
    layout.status = {x + 2, 0, cx - x - 2, h};
    layout.combo = {x + 2, 0, cx - x - 2, cy};
    layout.list = {x + 2, h + 1, cx - x - 2, cy - h - 1};
    return layout;
}

int ClampSplitterToClient(int barX, int clientWidth) {
    return barX > clientWidth - 2 ? clientWidth - 2 : barX;
}

bool SplitterPositionAllowed(int x, int clientWidth) {
    return x > 0 && x < clientWidth - 2;
}

}  // namespace brindle
