#include "launch/shortcut_proposal_win.h"

#include <vector>

#include "launch/shell_link_win.h"
#include "launch/system.h"

namespace brindle {

ShortcutProposal ProposeShortcut(HWND owner, const std::string& path, System& system) {
    const std::vector<FoundFile> matches = system.FindFiles(path);
    ShellLinkReader links(true, owner);
    return ProposeShortcut(path, matches.empty() ? nullptr : &matches.back(), links);
}

ShortcutProposal ProposeShortcut(const std::string& path, const FoundFile* found, ShellLinkReader& links) {
    ShortcutProposal proposal;
    proposal.commandLine = path;
    if (found)
        proposal.name = FileTitle(found->name);

    ShellLinkFields link;
    const HRESULT read = links.Read(path, link);
    std::string address;
    if (SUCCEEDED(read) && !link.target.empty()) {
        proposal.commandLine = LinkCommandLine(link.target, link.arguments);
        proposal.icon = link.iconSource;
        proposal.workFolder = link.workingDirectory;
        proposal.comment = link.description;
        proposal.readIcon = true;
    } else if (SUCCEEDED(read)) {
        // A link to something without a file-system path (a control panel item, a printer): the
        // link itself is what the shell can open.
        proposal.comment = link.description;
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
