#pragma once

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

namespace brindle {

class SettingsStore;

// The shortcut list's columns and in-place rename; its rows are a ShortcutListModel's.

constexpr int kListColumns = 6;
using ColumnTexts = std::array<std::string, kListColumns>;
using ColumnWidths = std::array<int, kListColumns>;

// The widths LVSCW_AUTOSIZE gives the columns of a list whose widest cells are `widest`: those of a hidden
// report list view of one row holding those texts, with the list's font, small images and extended style.
// So the list itself need not measure every cell (which it does one screen DC at a time).
class ColumnSizer {
public:
    ColumnSizer() = default;
    ~ColumnSizer();
    ColumnSizer(const ColumnSizer&) = delete;
    ColumnSizer& operator=(const ColumnSizer&) = delete;

    // False when the measuring list could not be made.
    bool Widths(HWND list, const ColumnTexts& widest, ColumnWidths& widths);

private:
    HWND measure_ = nullptr;
};

// The first call inserts the six columns; every call sizes them, to their contents when the list has
// items (never narrower than the title) and to their titles otherwise. The contents' widths are
// `cellWidths` when given, otherwise the list measures its cells (LVSCW_AUTOSIZE).
void ApplyColumnRule(HWND list, bool& columnsInserted, const ColumnWidths* cellWidths = nullptr);

// Has a list that is out of drawing (see ui::RedrawSuspension) work out its items' places and its scroll
// bars: a print of its client area into a memory device context that clips everything away. Wine's list
// does that work at its first paint with items and there sets its vertical scroll bar twice, each drawn
// at once (several milliseconds with the themed bars); done here it draws nothing, and the paint draws
// the bar once. A list that has done it already, or Windows' list, only prints nothing.
void LayOutWithoutDrawing(HWND list);

// LVN_ENDLABELEDITA of the row showing store index `index`: stores an allowed new name. True when stored
// (the list is then refilled, which saves the file); a forbidden name or a cancelled edit change nothing,
// silently.
bool RenameShortcut(SettingsStore& store, int index, const NMLVDISPINFOA& info);

}  // namespace brindle
