#pragma once

#include <windows.h>

#include <commctrl.h>

namespace brindle {

class SettingsStore;

// The shortcut list's columns and in-place rename; its rows are a ShortcutListModel's.

// The first call inserts the six columns; every call sizes them, to their contents when the list has
// items (never narrower than the title) and to their titles otherwise.
void ApplyColumnRule(HWND list, bool& columnsInserted);

// LVN_ENDLABELEDITA of the row showing store index `index`: stores an allowed new name. True when stored
// (the list is then refilled, which saves the file); a forbidden name or a cancelled edit change nothing,
// silently.
bool RenameShortcut(SettingsStore& store, int index, const NMLVDISPINFOA& info);

}  // namespace brindle
