#include "app/launcher_app.h"

#include <windows.h>

#include <commctrl.h>

#include "app/instance_name.h"
#include "app/restore_backup.h"
#include "mainwnd/main_dialog.h"
#include "platform/platform_win.h"
#include "resource.h"
#include "store/settings_path.h"

namespace brindle {
namespace {

constexpr char kOwnerClass[] = "BrindleOwnerFrame";
constexpr char kRunningApart[] = "同じ環境ファイルのぶりんどるが別の権限で実行中のため、呼び出せません。\n";
constexpr char kNoLock[] = "\n二重起動を防ぐためのロックを作れないので、起動できません。\n";

}  // namespace

LauncherApp::LauncherApp(const std::string& modulePath, Messages& messages)
    : messages_(messages), store_(messages_, SettingsPathForModule(modulePath)) {}

LockOutcome TakeNamedLock(const std::string& lockName, ui::UniqueKernelHandle& lock, unsigned long& error) {
    lock.Reset(CreateMutexA(nullptr, TRUE, lockName.c_str()));
    error = GetLastError();
    if (lock && error != ERROR_ALREADY_EXISTS) {
        return LockOutcome::Taken;
    }
    lock.Reset();
    if (error == ERROR_ALREADY_EXISTS)
        return LockOutcome::Running;
    // A lock made by an elevated instance, or by another user's, cannot be opened from here.
    if (error == ERROR_ACCESS_DENIED)
        return LockOutcome::RunningApart;
    return LockOutcome::Failed;
}

// Without the lock this process must not run: two instances would overwrite each other's settings file.
bool LauncherApp::TakeInstanceLock() {
    unsigned long error = 0;
    const LockOutcome outcome = lockOutcome_ = TakeNamedLock(LockName(instanceName_), lock_, error);
    if (outcome == LockOutcome::Taken) {
        return true;
    }
    duplicate_ = true;
    const bool handedOver = outcome != LockOutcome::Failed && HandOverToRunningInstance(instanceName_);
    if (outcome == LockOutcome::RunningApart && !handedOver) {
        messages_.Show(std::string(kRunningApart) + store_.GetSettingsPath(), box::kIconStop);
    } else if (outcome == LockOutcome::Failed) {
        messages_.Show(SystemErrorText(error) + kNoLock + store_.GetSettingsPath(), box::kIconStop);
    }
    return false;
}

// In taskbar-hidden mode the main window is owned by this never-shown window, and an owned window gets
// no taskbar button.
void LauncherApp::CreateOwnerFrame() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassA(&windowClass);
    ownerFrame_.Reset(CreateWindowA(kOwnerClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, nullptr, nullptr, instance, nullptr));
    if (ownerFrame_) {
        HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP));  // shared: not destroyed
        SendMessageA(ownerFrame_.Get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(ownerFrame_.Get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

int LauncherApp::Run(const char* commandLine) {
    options_ = ParseStartOptions(commandLine ? commandLine : "");
    if (!options_.settingsFile.empty()) {
        store_.SetSettingsPath(options_.settingsFile);
    }
    instanceName_ = brindle::InstanceName(store_.GetSettingsPath());

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    if (!TakeInstanceLock()) {
        if (options_.restoreBackup && lockOutcome_ != LockOutcome::Failed) {
            messages_.Show(kRestoreWhileRunningText + store_.GetSettingsPath(), box::kIconExclamation);
        }
        return 0;
    }
    // Only while this process holds the file's lock: no other instance saves over the restored file.
    if (options_.restoreBackup && AskAndRestoreBackup(store_.GetSettingsPath(), messages_)) {
        store_.KeepTheBackupThisRun();  // it holds the file the restore replaced: a second restore undoes it
    }
    store_.Load();
    Preferences prefs;
    store_.GetPreferences(prefs);
    taskbarHidden_ = prefs.bChkTaskhide != 0;
    if (taskbarHidden_) {
        CreateOwnerFrame();
    }
    MainDialog::Options dialogOptions;
    dialogOptions.reverseButtons = options_.reverseButtons;
    dialogOptions.startHidden = options_.startHidden;
    dialogOptions.taskbarHidden = taskbarHidden_;
    dialogOptions.instanceName = instanceName_;
    dialogOptions.exitSteps = [this] { ExitSteps(); };
    {
        MainDialog dialog(store_, messages_, dialogOptions);
        dialog.DoModal(ownerFrame_.Get());
    }
    ownerFrame_.Reset();
    ExitSteps();
    return 0;
}

// Once per process: on leaving, or earlier when Windows ends the session.
void LauncherApp::ExitSteps() {
    if (exited_) {
        return;
    }
    exited_ = true;
    if (!duplicate_) {
        store_.Save();
    }
    if (lock_) {
        ReleaseMutex(lock_.Get());
        lock_.Reset();
    }
}

}  // namespace brindle
