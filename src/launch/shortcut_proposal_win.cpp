#include "launch/shortcut_proposal_win.h"

#include <vector>

#include "launch/shell_link_win.h"
#include "launch/system.h"

namespace brindle {

ShortcutProposal ProposeShortcut(HWND owner, const std::string& path, System& system) {
    ShortcutProposal proposal;
    proposal.commandLine = path;
    const std::vector<FoundFile> matches = system.FindFiles(path);
    const FoundFile* found = matches.empty() ? nullptr : &matches.back();
    if (found)
        proposal.name = FileTitle(found->name);

    std::string target, arguments, icon, folder, description;
    const HRESULT link = ResolveShellLink(owner, path, target, &arguments, &icon, &folder, &description);
    std::string address;
    if (SUCCEEDED(link) && !target.empty()) {
        proposal.commandLine = LinkCommandLine(target, arguments);
        proposal.icon = icon;
        proposal.workFolder = folder;
        proposal.comment = description;
        proposal.readIcon = true;
    } else if (SUCCEEDED(link)) {
        // A link to something without a file-system path (a control panel item, a printer): the
        // link itself is what the shell can open.
        proposal.comment = description;
    } else if (SUCCEEDED(ResolveInternetShortcut(path, address))) {
        proposal.commandLine = address;
        proposal.check = false;
    } else if (found && found->directory) {
        proposal.workFolder = path;
    } else if (found && !IsNetworkPath(path)) {
        proposal.workFolder = found->root;
    }
    return proposal;
}

}  // namespace brindle
