#pragma once

#include <windows.h>

#include <string>

#include "launch/shortcut_proposal.h"

namespace brindle {

class System;

// The shortcut a file makes: a shell link gives its target, arguments, icon, work folder and comment;
// an Internet shortcut its address (unchecked); a folder itself as the work folder; any other file the
// folder it lies in (none on a network share). The name is the file's title.
ShortcutProposal ProposeShortcut(HWND owner, const std::string& path, System& system);

}  // namespace brindle
