#pragma once

namespace brindle {

struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// Where the main window's five controls go: the page tree on the left, the splitter bar, and on the
// right the status line over the combo (which may drop down to the bottom) above the shortcut list.
struct MainLayout {
    Box tree, splitter, status, combo, list;
};

// `splitterX` is the bar's left edge in client coordinates: the dragged position, or the bar's current
// place (the caller lowers it to clientWidth - 2 when it is further right). `comboHeight` is the
// height of the closed combo.
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int splitterX, int comboHeight);

// The splitter position kept for the bar's current place: never right of clientWidth - 2.
int ClampSplitterToClient(int barX, int clientWidth);

// Whether a dragged splitter may stand at x: strictly between 0 and clientWidth - 2.
bool SplitterPositionAllowed(int x, int clientWidth);

}  // namespace brindle
