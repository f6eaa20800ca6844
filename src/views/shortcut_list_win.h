#pragma once

#include <windows.h>

#include <commctrl.h>

namespace brindle {

class SettingsStore;
struct ShortcutRecord;

// The shortcut list's items: one per shortcut of the current page, lParam the record's store index.

// Inserts item `item` for record `index`: the six columns (an absent or empty field leaves its column
// empty), the item data, and the image with its overlay. Returns the item's index, or -1.
int InsertListItem(HWND list, int item, int index, const ShortcutRecord& shortcut, int image, int overlay);

// The first call inserts the six columns; every call sizes them, to their contents when the list has
// items (never narrower than the title) and to their titles otherwise.
void ApplyColumnRule(HWND list, bool& columnsInserted);

// Sorts the view, not the store, by a column, ascending.
void SortListByColumn(HWND list, const SettingsStore& store, int column);

// LVN_ENDLABELEDITA: stores an allowed new name. True when stored (the list is then refilled, which
// saves the file); a forbidden name or a cancelled edit change nothing, silently.
bool RenameShortcut(SettingsStore& store, HWND list, const NMLVDISPINFOA& info);

}  // namespace brindle
