#include "editing/shortcut_from_path_win.h"

#include "editing/shortcut_dialog.h"
#include "launch/shortcut_proposal_win.h"

namespace brindle {

void FillShortcutFromPath(HWND owner, const std::string& path, System& system, ShortcutDialog& dialog) {
    const ShortcutProposal proposal = ProposeShortcut(owner, path, system);
    dialog.commandLine = proposal.commandLine;
    if (!proposal.name.empty())
        dialog.name = proposal.name;
    if (proposal.readIcon) {
        dialog.icon = proposal.icon;
        dialog.noIcon = 0;
    }
    if (!proposal.workFolder.empty())
        dialog.workFolder = proposal.workFolder;
    if (!proposal.comment.empty())
        dialog.comment = proposal.comment;
    if (!proposal.check)
        dialog.check = 0;
}

}  // namespace brindle
