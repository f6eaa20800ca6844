#pragma once

#include <optional>

// The shutdown, power and lock commands: which of them can work on this system, and what each one does.
// Portable: what the system offers comes in as PowerFeatures, and every act goes through PowerActions.
namespace brindle {

class Messages;

// The commands, by their menu command ids. ShutdownPopup only pops the others up.
enum class PowerCommand : int {
    LogOff = 32788,
    Lock = 32789,
    Shutdown = 32790,
    PowerOff = 32791,
    Reboot = 32792,
    StandBy = 32793,
    Hibernate = 32794,
    ShutdownPopup = 32795,
    ScreenSaver = 32796,
};
constexpr int kFirstPowerCommand = 32788;
constexpr int kLastPowerCommand = 32796;

// The power command of a menu command id; none for other ids and for ShutdownPopup.
std::optional<PowerCommand> PowerCommandOf(int id);

// What the running system offers: the entry points found at run time and the answers of the ones that
// ask the system. An "allowed" answer is empty when the function asking it is missing.
struct PowerFeatures {
    bool ntFamily = false;
    bool openProcessToken = false;
    bool lookupPrivilegeValue = false;
    bool adjustTokenPrivileges = false;
    bool lockWorkStation = false;
    bool setSuspendState = false;
    bool setSystemPowerState = false;
    std::optional<bool> shutdownAllowed, suspendAllowed, hibernateAllowed;
    bool screenSaverActive = false;

    // The three functions that enable the shutdown privilege are all there.
    bool CanEnablePrivilege() const { return openProcessToken && lookupPrivilegeValue && adjustTokenPrivileges; }
};

// Whether the menu item of a command is enabled.
bool PowerItemEnabled(PowerCommand command, const PowerFeatures& features);

// The acts of the commands; tests record them. Each returns whether the system reported success.
class PowerActions {
public:
    virtual ~PowerActions() = default;
    virtual bool LockWorkStation() = 0;
    virtual bool ExitWindowsEx(unsigned flags, unsigned long reason) = 0;
    virtual bool SetSuspendState(bool hibernate, bool force, bool disableWakeEvents) = 0;
    virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
    virtual bool AdjustShutdownPrivilege() = 0;
    virtual void PostScreenSaver() = 0;
};

// ExitWindowsEx flags and the reason of a log-off.
constexpr unsigned kExitLogOff = 0x0;
constexpr unsigned kExitShutdown = 0x1;
constexpr unsigned kExitReboot = 0x2;
constexpr unsigned kExitPowerOff = 0x8;
constexpr unsigned long kLogOffReason = 0xFFFFFFFF;

// Shown when neither way of suspending worked.
extern const char kCannotSuspend[];

// Runs a command at once, without asking. On the NT family the shutdown privilege is enabled first. A
// command whose function is missing does nothing (its item is disabled, but a command can come from
// anywhere); a suspend that neither function could do is reported with one box.
void RunPowerCommand(PowerCommand command, const PowerFeatures& features, PowerActions& actions, Messages& messages);

}  // namespace brindle
