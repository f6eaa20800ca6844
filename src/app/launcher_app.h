#pragma once

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "store/settings_store.h"
#include "ui/handles.h"
#include "ui/message_box_win.h"

namespace brindle {

// The application: one instance per settings file, the store, and the main window run modally for
// the whole life of the program.
class LauncherApp {
public:
    explicit LauncherApp(const std::string& modulePath);

    // Everything from the command line to the end; the process's exit code.
    int Run(const char* commandLine);

    SettingsStore& Store() { return store_; }
    const std::string& InstanceName() const { return instanceName_; }

private:
    bool TakeInstanceLock();
    void CreateOwnerFrame();
    void ExitSteps();

    ui::WindowsMessages messages_;
    SettingsStore store_;
    StartOptions options_;
    std::string instanceName_;
    ui::UniqueKernelHandle lock_;
    bool duplicate_ = false;
    bool exited_ = false;
    bool taskbarHidden_ = false;
    ui::UniqueWindow ownerFrame_;
};

// Finds the running instance whose main window answers to `instanceName` and brings it back;
// false when none answers.
bool HandOverToRunningInstance(const std::string& instanceName);

}  // namespace brindle
