#include "launch/shell_launch_win.h"

#include <shellapi.h>

#include <ctime>

#include "launch/classify.h"
#include "launch/launch_plan.h"
#include "launch/system.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace brindle {

namespace {

int Execute(HWND owner, const std::string& file, const char* parameters, const char* directory, int show) {
    HINSTANCE result = ShellExecuteA(owner, nullptr, file.c_str(), parameters, directory, show);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace

int LaunchShortcut(SettingsStore& store,
                   int index,
                   const std::vector<std::string>& arguments,
                   HWND owner,
                   Messages& messages,
                   Environment& environment) {
    ShortcutRecord shortcut;
    if (!store.GetShortcutAt(index, shortcut)) {
        return 0;
    }
    LaunchPlan plan;
    std::string error;
    if (!PlanLaunch(shortcut, arguments, environment, plan, error)) {
        messages.Show(error, box::kIconExclamation);
        return 0;
    }
    int result = Execute(owner, plan.file, plan.parameters.c_str(), plan.directory.c_str(), plan.show);
    if (result <= 32) {
        messages.Show(LaunchFailureText(result, plan), box::kIconStop);
    } else {
        store.NoteLaunch(index, static_cast<int64_t>(std::time(nullptr)));
    }
    return result;
}

int OpenPath(const std::string& path, HWND owner, Messages& messages) {
    int result = Execute(owner, path, nullptr, nullptr, SW_SHOWNORMAL);
    if (result <= 32) {
        messages.Show(OpenFailureText(result, path), box::kIconStop);
    }
    return result;
}

bool OpenFolderOfShortcut(const SettingsStore& store, int index, HWND owner, Messages& messages, System& system) {
    ShortcutRecord shortcut;
    if (!store.GetShortcutAt(index, shortcut)) {
        return false;
    }
    std::string folder = FolderOfCommandLine(shortcut.commandLine, system);
    if (folder.empty()) {
        messages.Show(NoFolderText(shortcut.commandLine), box::kOk);
        return false;
    }
    return OpenPath(folder, owner, messages) > 32;
}

}  // namespace brindle
