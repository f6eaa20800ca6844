#pragma once

#include <windows.h>

#include <string>

#include "launch/shortcut_proposal.h"

namespace brindle {

class ShellLinkReader;
class System;
struct FoundFile;

// The shortcut a file makes: a shell link gives its target, arguments, icon, work folder and comment;
// an Internet shortcut its address (unchecked); a folder itself as the work folder; any other file the
// folder it lies in (none on a network share). The name is the file's title. A dropped file: its link
// resolved, the file looked up.
ShortcutProposal ProposeShortcut(HWND owner, const std::string& path, System& system);
// The same for a file already found (`found`, from a listing of its folder), its link read by `links`.
ShortcutProposal ProposeShortcut(const std::string& path, const FoundFile* found, ShellLinkReader& links);

}  // namespace brindle
