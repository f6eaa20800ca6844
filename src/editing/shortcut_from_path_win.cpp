#include "editing/shortcut_from_path_win.h"

#include <vector>

#include "editing/edit_rules.h"
#include "editing/shortcut_dialog.h"
#include "launch/shell_link_win.h"
#include "launch/system.h"

namespace brindle {

void FillShortcutFromPath(HWND owner, const std::string& path, System& system, ShortcutDialog& dialog) {
    dialog.commandLine = path;
    const std::vector<FoundFile> matches = system.FindFiles(path);
    const FoundFile* found = matches.empty() ? nullptr : &matches.back();
    if (found)
        dialog.name = dialogs::FileTitle(found->name);

    std::string target, arguments, icon, folder, description;
    const HRESULT link = ResolveShellLink(owner, path, target, &arguments, &icon, &folder, &description);
    std::string address;
    if (SUCCEEDED(link) && !target.empty()) {
        dialog.commandLine = dialogs::LinkCommandLine(target, arguments);
        dialog.icon = icon;
        dialog.workFolder = folder;
        dialog.comment = description;
        dialog.noIcon = 0;
    } else if (SUCCEEDED(link)) {
        // A link to something without a file-system path (a control panel item, a printer): the
        // link itself is what the shell can open.
        dialog.comment = description;
    } else if (SUCCEEDED(ResolveInternetShortcut(path, address))) {
        dialog.commandLine = address;
        dialog.check = 0;
    } else if (found && found->directory) {
        dialog.workFolder = path;
    } else if (found && !dialogs::IsNetworkPath(path)) {
        dialog.workFolder = found->root;
    }
}

}  // namespace brindle
