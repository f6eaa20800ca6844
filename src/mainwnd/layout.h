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
// place (the caller lowers it to clientWidth - barWidth when it is further right). `comboHeight` is the
// height of the closed combo; `barWidth` the splitter's width (2 at 96 DPI, scaled with the display).
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int splitterX, int comboHeight, int barWidth = 2);

// The splitter position kept for the bar's current place: never right of clientWidth - barWidth.
int ClampSplitterToClient(int barX, int clientWidth, int barWidth = 2);

// Whether a dragged splitter may stand at x: strictly between 0 and clientWidth - barWidth.
bool SplitterPositionAllowed(int x, int clientWidth, int barWidth = 2);

}  // namespace brindle
