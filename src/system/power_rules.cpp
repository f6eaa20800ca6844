#include "system/power_rules.h"

#include "ui/messages.h"

namespace brindle {

const char kCannotSuspend[] = "ｻｽﾍﾟﾝﾄﾞ状態に移行できません";

std::optional<PowerCommand> PowerCommandOf(int id) {
    if (id < kFirstPowerCommand || id > kLastPowerCommand || id == static_cast<int>(PowerCommand::ShutdownPopup)) {
        return std::nullopt;
    }
    return static_cast<PowerCommand>(id);
}

bool PowerItemEnabled(PowerCommand command, const PowerFeatures& features) {
    // On the NT family nothing works without the privilege, so nothing is offered without its functions.
    if (features.ntFamily && !features.CanEnablePrivilege()) {
        return false;
    }
    switch (command) {
        case PowerCommand::Lock:
            return features.lockWorkStation && features.ntFamily;
        case PowerCommand::PowerOff:
            return features.shutdownAllowed.value_or(true);
        case PowerCommand::StandBy:
            return features.suspendAllowed.value_or(true) && (features.setSystemPowerState || features.setSuspendState);
        case PowerCommand::Hibernate:
            return features.hibernateAllowed.value_or(true) && features.setSuspendState;
        case PowerCommand::ScreenSaver:
            return features.screenSaverActive;
        default:
            return true;
    }
}

namespace {

// Stand by (hibernate false) or hibernation: SetSuspendState first, SetSystemPowerState when that is
// missing or fails. True when one of them succeeded.
bool Suspend(bool hibernate, const PowerFeatures& features, PowerActions& actions) {
    if (features.setSuspendState && actions.SetSuspendState(hibernate, false, false)) {
        return true;
    }
    return features.setSystemPowerState && actions.SetSystemPowerState(!hibernate, false);
}

}  // namespace

void RunPowerCommand(PowerCommand command, const PowerFeatures& features, PowerActions& actions, Messages& messages) {
    if (command == PowerCommand::ShutdownPopup) {
        return;
    }
    if (features.ntFamily && features.CanEnablePrivilege()) {
        actions.AdjustShutdownPrivilege();
    }
    // A failed ExitWindowsEx (no privilege, say) shows nothing.
    switch (command) {
        case PowerCommand::Lock:
            if (features.lockWorkStation)
                actions.LockWorkStation();
            break;
        case PowerCommand::LogOff:
            actions.ExitWindowsEx(kExitLogOff, kLogOffReason);
            break;
        case PowerCommand::Shutdown:
            actions.ExitWindowsEx(kExitShutdown, 0);
            break;
        case PowerCommand::PowerOff:
            actions.ExitWindowsEx(kExitPowerOff, 0);
            break;
        case PowerCommand::Reboot:
            actions.ExitWindowsEx(kExitReboot, 0);
            break;
        case PowerCommand::StandBy:
        case PowerCommand::Hibernate:
            if (!Suspend(command == PowerCommand::Hibernate, features, actions))
                messages.Show(kCannotSuspend, box::kIconStop);
            break;
        case PowerCommand::ScreenSaver:
            actions.PostScreenSaver();
            break;
        case PowerCommand::ShutdownPopup:
            break;
    }
}

}  // namespace brindle
