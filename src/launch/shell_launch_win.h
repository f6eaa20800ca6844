#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace brindle {

class Environment;
class Messages;
class SettingsStore;
class System;

// One request to the shell: the verb ("runas" to start elevated; empty for the default) and the file
// with its parameters, work folder and show command (empty texts are handed over as none).
struct ShellRequest {
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    int show = SW_SHOWNORMAL;
};

// Every launch goes through this seam: the program uses the shell, tests record the requests.
class ShellExecutor {
public:
    virtual ~ShellExecutor() = default;
    // The shell's result (greater than 32 on success); on failure `error` holds the system's error code
    // (ERROR_CANCELLED when the user declined the elevation prompt).
    virtual int Execute(HWND owner, const ShellRequest& request, unsigned long& error) = 0;
};

ShellExecutor& AppShellExecutor();
// Null puts the shell back.
void SetAppShellExecutor(ShellExecutor* executor);

// Launches the shortcut at `index` with the extra arguments (dropped files) through the shell, elevated
// when the shortcut says so (RunAs=1) or `asAdministrator` is set. Returns the shell's result (greater
// than 32 on success), or 0 when nothing was started: no shortcut at the index, or an empty command
// line (then the user is told). A failure shows the launch error box; a declined elevation prompt is
// the user's own answer and shows nothing. A launch the shell took is counted in the store (kept until
// the next save; it never saves by itself).
int LaunchShortcut(SettingsStore& store,
                   int index,
                   const std::vector<std::string>& arguments,
                   HWND owner,
                   Messages& messages,
                   Environment& environment,
                   bool asAdministrator = false);

// Opens `path` with the shell's default verb; a failure shows the short launch error box.
int OpenPath(const std::string& path, HWND owner, Messages& messages);

// "Exist folder": opens the folder that holds the target of the shortcut at `index`, or tells the user
// that none can be found. False when no folder was opened.
bool OpenFolderOfShortcut(const SettingsStore& store, int index, HWND owner, Messages& messages, System& system);

}  // namespace brindle
