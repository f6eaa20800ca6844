#pragma once

#include <windows.h>

#include <string>

namespace brindle {

class ShortcutDialog;
class System;

// Proposes a new shortcut for `path` (a dropped file, a shell link, an Internet shortcut, a folder) in
// the dialog's fields: the command line, the name from the file's title, and what the link or the
// file's place says about the icon, the work folder, the comment and the existence check.
void FillShortcutFromPath(HWND owner, const std::string& path, System& system, ShortcutDialog& dialog);

}  // namespace brindle
