#include "app/launcher_app.h"

#include <windows.h>
#include <commctrl.h>

#include "app/instance_name.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_path.h"

namespace brindle {
namespace {

constexpr char kOwnerClass[] = "BrindleOwnerFrame";

}  // namespace

LauncherApp::LauncherApp(const std::string& modulePath)
    : store_(messages_, SettingsPathForModule(modulePath)) {
    ui::SetAppMessages(&messages_);
}

bool LauncherApp::TakeInstanceLock() {
    lock_.Reset(CreateMutexA(nullptr, TRUE, LockName(instanceName_).c_str()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        HandOverToRunningInstance(instanceName_);
        lock_.Reset();
        duplicate_ = true;
        return false;
    }
    return true;
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
    ownerFrame_.Reset(CreateWindowA(kOwnerClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr));
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
        return 0;
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
