#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brindle {

class Environment;
class Messages;
class SettingsStore;
class System;

// Launches the shortcut at `index` with the extra arguments (dropped files) through ShellExecuteA.
// Returns the shell's result (greater than 32 on success), or 0 when nothing was started: no shortcut
// at the index, or an empty command line (then the user is told). A failure shows the launch error box.
// A launch the shell took is counted in the store (kept until the next save; it never saves by itself).
int LaunchShortcut(SettingsStore& store,
                   int index,
                   const std::vector<std::string>& arguments,
                   HWND owner,
                   Messages& messages,
                   Environment& environment);

// Opens `path` with the shell's default verb; a failure shows the short launch error box.
int OpenPath(const std::string& path, HWND owner, Messages& messages);

// "Exist folder": opens the folder that holds the target of the shortcut at `index`, or tells the user
// that none can be found. False when no folder was opened.
bool OpenFolderOfShortcut(const SettingsStore& store, int index, HWND owner, Messages& messages, System& system);

}  // namespace brindle
