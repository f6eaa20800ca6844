#include "system/power_win.h"

#include "platform/platform_win.h"
#include "platform/system_library_win.h"

namespace brindle {

PowerLibrary::PowerLibrary() {
    OSVERSIONINFOEXA version;
    GetOsVersion(version);
    functions_.ntFamily = version.dwPlatformId == VER_PLATFORM_WIN32_NT;

    if (HMODULE kernel = GetModuleHandleA("kernel32.dll")) {
        functions_.setSystemPowerState =
            ProcAddress<PowerFunctions::SetSystemPowerStateFunction>(kernel, "SetSystemPowerState");
        functions_.isWow64Process = ProcAddress<PowerFunctions::IsWow64ProcessFunction>(kernel, "IsWow64Process");
    }
    if (HMODULE user = GetModuleHandleA("user32.dll")) {
        functions_.lockWorkStation = ProcAddress<PowerFunctions::LockWorkStationFunction>(user, "LockWorkStation");
        functions_.allowSetForegroundWindow =
            ProcAddress<PowerFunctions::AllowSetForegroundWindowFunction>(user, "AllowSetForegroundWindow");
    }
    powerModule_.Reset(LoadSystemLibrary("powrprof.dll"));
    if (HMODULE power = powerModule_.Get()) {
        functions_.setSuspendState = ProcAddress<PowerFunctions::SetSuspendStateFunction>(power, "SetSuspendState");
        functions_.isPwrHibernateAllowed =
            ProcAddress<PowerFunctions::PowerQueryFunction>(power, "IsPwrHibernateAllowed");
        functions_.isPwrShutdownAllowed =
            ProcAddress<PowerFunctions::PowerQueryFunction>(power, "IsPwrShutdownAllowed");
        functions_.isPwrSuspendAllowed = ProcAddress<PowerFunctions::PowerQueryFunction>(power, "IsPwrSuspendAllowed");
    }
    if (HMODULE advapi = GetModuleHandleA("advapi32.dll")) {
        functions_.openProcessToken = ProcAddress<PowerFunctions::OpenProcessTokenFunction>(advapi, "OpenProcessToken");
        functions_.lookupPrivilegeValue =
            ProcAddress<PowerFunctions::LookupPrivilegeValueFunction>(advapi, "LookupPrivilegeValueA");
        functions_.adjustTokenPrivileges =
            ProcAddress<PowerFunctions::AdjustTokenPrivilegesFunction>(advapi, "AdjustTokenPrivileges");
    }
}

namespace {

std::optional<bool> Ask(PowerFunctions::PowerQueryFunction query) {
    if (!query) {
        return std::nullopt;
    }
    return query() != 0;
}

}  // namespace

PowerFeatures ReadPowerFeatures(const PowerFunctions& functions) {
    PowerFeatures features;
    features.ntFamily = functions.ntFamily;
    features.openProcessToken = functions.openProcessToken != nullptr;
    features.lookupPrivilegeValue = functions.lookupPrivilegeValue != nullptr;
    features.adjustTokenPrivileges = functions.adjustTokenPrivileges != nullptr;
    features.lockWorkStation = functions.lockWorkStation != nullptr;
    features.setSuspendState = functions.setSuspendState != nullptr;
    features.setSystemPowerState = functions.setSystemPowerState != nullptr;
    features.shutdownAllowed = Ask(functions.isPwrShutdownAllowed);
    features.suspendAllowed = Ask(functions.isPwrSuspendAllowed);
    features.hibernateAllowed = Ask(functions.isPwrHibernateAllowed);
    BOOL active = FALSE;
    features.screenSaverActive = SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0) && active;
    return features;
}

bool WinPowerActions::LockWorkStation() {
    return functions_.lockWorkStation && functions_.lockWorkStation();
}

bool WinPowerActions::ExitWindowsEx(unsigned flags, unsigned long reason) {
    return ::ExitWindowsEx(flags, reason) != 0;
}

bool WinPowerActions::SetSuspendState(bool hibernate, bool force, bool disableWakeEvents) {
    return functions_.setSuspendState && functions_.setSuspendState(hibernate, force, disableWakeEvents) != 0;
}

bool WinPowerActions::SetSystemPowerState(bool suspend, bool force) {
    return functions_.setSystemPowerState && functions_.setSystemPowerState(suspend, force);
}

bool WinPowerActions::AdjustShutdownPrivilege() {
    if (!functions_.openProcessToken || !functions_.lookupPrivilegeValue || !functions_.adjustTokenPrivileges) {
        return false;
    }
    HANDLE opened = nullptr;
    if (!functions_.openProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) {
        return false;
    }
    ui::UniqueKernelHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!functions_.lookupPrivilegeValue(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        return false;
    }
    // AdjustTokenPrivileges succeeds without assigning a privilege the token lacks.
    return functions_.adjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

void EnablePowerItems(HMENU menu, const PowerFunctions& functions) {
    std::optional<PowerFeatures> features;  // asked only for a menu that holds power items
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const std::optional<PowerCommand> command = PowerCommandOf(static_cast<int>(GetMenuItemID(menu, position)));
        if (!command) {
            continue;
        }
        if (!features) {
            features = ReadPowerFeatures(functions);
        }
        const UINT state = PowerItemEnabled(*command, *features) ? MF_ENABLED : MF_GRAYED;
        EnableMenuItem(menu, static_cast<UINT>(position), MF_BYPOSITION | state);
    }
}

void WinPowerActions::PostScreenSaver() {
    PostMessageA(window_, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
}

}  // namespace brindle
