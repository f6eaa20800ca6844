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

constexpr char kRunAsVerb[] = "runas";

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

class SystemShellExecutor : public ShellExecutor {
public:
    int Execute(HWND owner, const ShellRequest& request, unsigned long& error) override {
        if (request.verb.empty()) {
            HINSTANCE result = ShellExecuteA(owner, nullptr, request.file.c_str(), OrNull(request.parameters),
                                             OrNull(request.directory), request.show);
            error = GetLastError();
            return static_cast<int>(reinterpret_cast<INT_PTR>(result));
        }
        // The extended call, for its error code: a declined elevation prompt must be told apart.
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOASYNC;
        info.hwnd = owner;
        info.lpVerb = request.verb.c_str();
        info.lpFile = request.file.c_str();
        info.lpParameters = OrNull(request.parameters);
        info.lpDirectory = OrNull(request.directory);
        info.nShow = request.show;
        const BOOL started = ShellExecuteExA(&info);
        error = started ? ERROR_SUCCESS : GetLastError();
        const int result = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
        if (started)
            return result > 32 ? result : 33;
        // The shell's own code where it gave one, else the system's where it fits the same range.
        if (result > 0 && result <= 32)
            return result;
        return error <= 32 ? static_cast<int>(error) : 0;
    }
};

ShellExecutor* current = nullptr;

int Execute(HWND owner, const ShellRequest& request, unsigned long& error) {
    error = ERROR_SUCCESS;
    return AppShellExecutor().Execute(owner, request, error);
}

}  // namespace

ShellExecutor& AppShellExecutor() {
    static SystemShellExecutor shell;
    return current ? *current : shell;
}

void SetAppShellExecutor(ShellExecutor* executor) {
    current = executor;
}

int LaunchShortcut(SettingsStore& store,
                   int index,
                   const std::vector<std::string>& arguments,
                   HWND owner,
                   Messages& messages,
                   Environment& environment,
                   bool asAdministrator) {
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
    ShellRequest request{asAdministrator || shortcut.runAs ? kRunAsVerb : "", plan.file, plan.parameters,
                         plan.directory, plan.show};
    unsigned long systemError = ERROR_SUCCESS;
    int result = Execute(owner, request, systemError);
    if (result > 32) {
        store.NoteLaunch(index, static_cast<int64_t>(std::time(nullptr)));
    } else if (systemError != ERROR_CANCELLED) {
        messages.Show(LaunchFailureText(result, plan), box::kIconStop);
    }
    return result;
}

int OpenPath(const std::string& path, HWND owner, Messages& messages) {
    unsigned long error = ERROR_SUCCESS;
    int result = Execute(owner, ShellRequest{"", path, "", "", SW_SHOWNORMAL}, error);
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
