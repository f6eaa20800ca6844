#pragma once

#include <windows.h>

#include "system/power_rules.h"
#include "ui/handles.h"

// The Windows half of the power commands: the entry points found at run time, what they report, and the
// acts done with them.
namespace brindle {

// The entry points, null when missing. The power library's functions return BOOLEAN, one byte: the rest
// of the register is not part of the answer, so they are declared as they are.
struct PowerFunctions {
    using SetSystemPowerStateFunction = BOOL(WINAPI*)(BOOL suspend, BOOL force);
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);
    using LockWorkStationFunction = BOOL(WINAPI*)();
    using AllowSetForegroundWindowFunction = BOOL(WINAPI*)(DWORD processId);
    using SetSuspendStateFunction = BOOLEAN(WINAPI*)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN disableWakeEvents);
    using PowerQueryFunction = BOOLEAN(WINAPI*)();
    using OpenProcessTokenFunction = BOOL(WINAPI*)(HANDLE process, DWORD access, PHANDLE token);
    using LookupPrivilegeValueFunction = BOOL(WINAPI*)(LPCSTR system, LPCSTR name, PLUID luid);
    using AdjustTokenPrivilegesFunction = BOOL(WINAPI*)(HANDLE token,
                                                        BOOL disableAll,
                                                        PTOKEN_PRIVILEGES state,
                                                        DWORD length,
                                                        PTOKEN_PRIVILEGES previous,
                                                        PDWORD returned);

    bool ntFamily = false;  // the platform id of GetVersionExA is VER_PLATFORM_WIN32_NT
    // kernel32.dll
    SetSystemPowerStateFunction setSystemPowerState = nullptr;
    IsWow64ProcessFunction isWow64Process = nullptr;
    // user32.dll
    LockWorkStationFunction lockWorkStation = nullptr;
    AllowSetForegroundWindowFunction allowSetForegroundWindow = nullptr;
    // powrprof.dll
    SetSuspendStateFunction setSuspendState = nullptr;
    PowerQueryFunction isPwrHibernateAllowed = nullptr;
    PowerQueryFunction isPwrShutdownAllowed = nullptr;
    PowerQueryFunction isPwrSuspendAllowed = nullptr;
    // advapi32.dll
    OpenProcessTokenFunction openProcessToken = nullptr;
    LookupPrivilegeValueFunction lookupPrivilegeValue = nullptr;
    AdjustTokenPrivilegesFunction adjustTokenPrivileges = nullptr;
};

// Looks the entry points up once and keeps the power library loaded while it lives. kernel32, user32 and
// advapi32 are in the process already; the power library comes from the system folder only.
class PowerLibrary {
public:
    PowerLibrary();
    PowerLibrary(const PowerLibrary&) = delete;
    PowerLibrary& operator=(const PowerLibrary&) = delete;

    const PowerFunctions& Functions() const { return functions_; }
    HMODULE PowerModule() const { return powerModule_.Get(); }

private:
    ui::UniqueModule powerModule_;
    PowerFunctions functions_;
};

// What the functions found offer now: which are there, the system's answers to the IsPwr…Allowed
// questions and whether a screen saver is active.
PowerFeatures ReadPowerFeatures(const PowerFunctions& functions);

// Enables or grays each power item of `menu` (a popup about to open) by what the system offers now.
void EnablePowerItems(HMENU menu, const PowerFunctions& functions);

// The real acts, with the functions found; a missing function does nothing and reports failure. The
// screen saver is started by posting SC_SCREENSAVE to `window`.
class WinPowerActions : public PowerActions {
public:
    WinPowerActions(const PowerFunctions& functions, HWND window) : functions_(functions), window_(window) {}

    bool LockWorkStation() override;
    bool ExitWindowsEx(unsigned flags, unsigned long reason) override;
    bool SetSuspendState(bool hibernate, bool force, bool disableWakeEvents) override;
    bool SetSystemPowerState(bool suspend, bool force) override;
    bool AdjustShutdownPrivilege() override;
    void PostScreenSaver() override;

private:
    const PowerFunctions& functions_;
    HWND window_;
};

}  // namespace brindle
