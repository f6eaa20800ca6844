#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/command_line.h"
#include "store/settings_store.h"
#include "platform/com.h"
#include "ui/handles.h"
#include "ui/message_box_win.h"

namespace brindle {

// What became of the instance lock of a settings file.
enum class LockOutcome {
    Taken,         // this process holds it
    Running,       // another instance holds it
    RunningApart,  // another instance holds it and may not be reached (another user or elevated)
    Failed,        // the lock could not be made at all
};

// Takes the named lock `lockName`; `lock` receives the handle when it is taken and `error` the system's
// error code otherwise.
LockOutcome TakeNamedLock(const std::string& lockName, ui::UniqueKernelHandle& lock, unsigned long& error);

// The application: one instance per settings file, the store, and the main window run modally for
// the whole life of the program. `messages` speaks to the user (real boxes in the program). OLE is
// initialised on the thread that makes it, for as long as it lives.
class LauncherApp {
public:
    LauncherApp(const std::string& modulePath, Messages& messages);

    // Everything from the command line to the end; the process's exit code.
    int Run(const char* commandLine);

    SettingsStore& Store() { return store_; }
    const std::string& InstanceName() const { return instanceName_; }

private:
    bool TakeInstanceLock();
    void CreateOwnerFrame();
    void ExitSteps();

    ui::OleScope ole_;  // first made, last gone: around every window of the program
    Messages& messages_;
    SettingsStore store_;
    StartOptions options_;
    std::string instanceName_;
    ui::UniqueKernelHandle lock_;
    LockOutcome lockOutcome_ = LockOutcome::Failed;
    bool duplicate_ = false;
    bool exited_ = false;
    bool taskbarHidden_ = false;
    ui::UniqueWindow ownerFrame_;
};

// Gives a process the right to take the foreground (AllowSetForegroundWindow).
using ForegroundGrant = std::function<void(unsigned long processId)>;
void AllowForeground(unsigned long processId);

// Finds the running instance whose main window answers to `instanceName`, grants its process the
// foreground and brings it back; false when none answers.
bool HandOverToRunningInstance(const std::string& instanceName, const ForegroundGrant& grant = AllowForeground);

}  // namespace brindle
