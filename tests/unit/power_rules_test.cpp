#include "system/power_rules.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "recording_power_actions.h"
#include "test_support.h"

namespace brindle {
namespace {

using testing::RecordingMessages;
using testing::RecordingPowerActions;

constexpr PowerCommand kItems[] = {PowerCommand::Lock,      PowerCommand::LogOff,     PowerCommand::Shutdown,
                                   PowerCommand::PowerOff,  PowerCommand::Reboot,     PowerCommand::StandBy,
                                   PowerCommand::Hibernate, PowerCommand::ScreenSaver};

// A Windows of the NT family with everything there and allowed.
PowerFeatures Everything() {
    PowerFeatures features;
    features.ntFamily = true;
    features.openProcessToken = features.lookupPrivilegeValue = features.adjustTokenPrivileges = true;
    features.lockWorkStation = features.setSuspendState = features.setSystemPowerState = true;
    features.shutdownAllowed = features.suspendAllowed = features.hibernateAllowed = true;
    features.screenSaverActive = true;
    return features;
}

std::vector<PowerCommand> Enabled(const PowerFeatures& features) {
    std::vector<PowerCommand> enabled;
    for (PowerCommand command : kItems) {
        if (PowerItemEnabled(command, features))
            enabled.push_back(command);
    }
    return enabled;
}

TEST(PowerRules, CommandIdsCoverTheRangeButThePopup) {
    EXPECT_FALSE(PowerCommandOf(32787));
    EXPECT_FALSE(PowerCommandOf(32797));
    EXPECT_FALSE(PowerCommandOf(32795));
    EXPECT_EQ(PowerCommandOf(32788), PowerCommand::LogOff);
    EXPECT_EQ(PowerCommandOf(32796), PowerCommand::ScreenSaver);
}

TEST(PowerRules, EnablingFollowsWhatTheSystemOffers) {
    EXPECT_EQ(Enabled(Everything()).size(), 8u);

    // No power library: stand by through SetSystemPowerState, no hibernation; power off stays.
    PowerFeatures noPowerLibrary = Everything();
    noPowerLibrary.setSuspendState = false;
    noPowerLibrary.shutdownAllowed = noPowerLibrary.suspendAllowed = noPowerLibrary.hibernateAllowed = std::nullopt;
    EXPECT_TRUE(PowerItemEnabled(PowerCommand::StandBy, noPowerLibrary));
    EXPECT_TRUE(PowerItemEnabled(PowerCommand::PowerOff, noPowerLibrary));
    EXPECT_FALSE(PowerItemEnabled(PowerCommand::Hibernate, noPowerLibrary));
    noPowerLibrary.setSystemPowerState = false;
    EXPECT_FALSE(PowerItemEnabled(PowerCommand::StandBy, noPowerLibrary));

    // The system's answers decide where it gives them.
    PowerFeatures refused = Everything();
    refused.shutdownAllowed = refused.suspendAllowed = refused.hibernateAllowed = false;
    EXPECT_EQ(Enabled(refused),
              (std::vector<PowerCommand>{PowerCommand::Lock, PowerCommand::LogOff, PowerCommand::Shutdown,
                                         PowerCommand::Reboot, PowerCommand::ScreenSaver}));

    // The 95 family: no lock even where LockWorkStation is found, and no privilege functions needed.
    PowerFeatures family95 = Everything();
    family95.ntFamily = false;
    family95.openProcessToken = family95.lookupPrivilegeValue = family95.adjustTokenPrivileges = false;
    EXPECT_FALSE(PowerItemEnabled(PowerCommand::Lock, family95));
    EXPECT_EQ(Enabled(family95).size(), 7u);

    // Without a screen saver its item alone is disabled.
    PowerFeatures noScreenSaver = Everything();
    noScreenSaver.screenSaverActive = false;
    EXPECT_FALSE(PowerItemEnabled(PowerCommand::ScreenSaver, noScreenSaver));
    EXPECT_EQ(Enabled(noScreenSaver).size(), 7u);
}

TEST(PowerRules, AMissingPrivilegeFunctionDisablesEveryItemOnNt) {
    for (bool PowerFeatures::*missing : {&PowerFeatures::openProcessToken, &PowerFeatures::lookupPrivilegeValue,
                                         &PowerFeatures::adjustTokenPrivileges}) {
        PowerFeatures features = Everything();
        features.*missing = false;
        EXPECT_TRUE(Enabled(features).empty());
    }
}

TEST(PowerCommands, EachCommandEnablesThePrivilegeThenActsWithItsArguments) {
    const struct {
        PowerCommand command;
        const char* act;
    } expected[] = {
        {PowerCommand::Lock, "Lock()"},
        {PowerCommand::LogOff, "Exit(0,4294967295)"},
        {PowerCommand::Shutdown, "Exit(1,0)"},
        {PowerCommand::PowerOff, "Exit(8,0)"},
        {PowerCommand::Reboot, "Exit(2,0)"},
        {PowerCommand::StandBy, "SetSuspendState(000)"},
        {PowerCommand::Hibernate, "SetSuspendState(100)"},
        {PowerCommand::ScreenSaver, "ScreenSaver()"},
    };
    for (const auto& [command, act] : expected) {
        RecordingPowerActions actions;
        RecordingMessages messages;
        RunPowerCommand(command, Everything(), actions, messages);
        EXPECT_EQ(actions.calls, (std::vector<std::string>{"Privilege()", act})) << act;
        EXPECT_TRUE(messages.boxes.empty()) << act;  // a failed ExitWindowsEx shows nothing
    }

    // The 95 family has no privilege to enable; NT without its functions cannot enable it.
    PowerFeatures family95 = Everything();
    family95.ntFamily = false;
    PowerFeatures noAdjust = Everything();
    noAdjust.adjustTokenPrivileges = false;
    for (const PowerFeatures& features : {family95, noAdjust}) {
        RecordingPowerActions actions;
        RecordingMessages messages;
        RunPowerCommand(PowerCommand::Reboot, features, actions, messages);
        EXPECT_EQ(actions.calls, (std::vector<std::string>{"Exit(2,0)"}));
    }

    // The popup's own id acts on nothing.
    RecordingPowerActions actions;
    RecordingMessages messages;
    RunPowerCommand(PowerCommand::ShutdownPopup, Everything(), actions, messages);
    EXPECT_TRUE(actions.calls.empty());
}

TEST(PowerCommands, SuspendFallsBackAndReportsOnlyWhenBothFail) {
    struct Case {
        const char* name;
        bool hasSuspendState, suspendStateWorks, hasSystemPower, systemPowerWorks;
        std::vector<std::string> acts;
        size_t boxes;
    };
    const Case cases[] = {
        {"suspend state works", true, true, true, true, {"SetSuspendState(000)"}, 0},
        {"suspend state fails", true, false, true, true, {"SetSuspendState(000)", "SetSystemPowerState(10)"}, 0},
        {"no power library", false, false, true, true, {"SetSystemPowerState(10)"}, 0},
        {"both fail", true, false, true, false, {"SetSuspendState(000)", "SetSystemPowerState(10)"}, 1},
        {"neither there", false, false, false, false, {}, 1},
    };
    for (const Case& c : cases) {
        PowerFeatures features = Everything();
        features.setSuspendState = c.hasSuspendState;
        features.setSystemPowerState = c.hasSystemPower;
        RecordingPowerActions actions;
        actions.suspendStateResult = c.suspendStateWorks;
        actions.systemPowerResult = c.systemPowerWorks;
        RecordingMessages messages;
        RunPowerCommand(PowerCommand::StandBy, features, actions, messages);
        actions.calls.erase(actions.calls.begin());  // the privilege
        EXPECT_EQ(actions.calls, c.acts) << c.name;
        ASSERT_EQ(messages.boxes.size(), c.boxes) << c.name;
        if (c.boxes) {
            EXPECT_EQ(messages.boxes[0].text, "ｻｽﾍﾟﾝﾄﾞ状態に移行できません");
            EXPECT_EQ(messages.boxes[0].style, box::kIconStop);
        }
    }

    // Hibernation hibernates in both: SetSystemPowerState's suspend argument is false.
    PowerFeatures features = Everything();
    RecordingPowerActions actions;
    actions.suspendStateResult = false;
    RecordingMessages messages;
    RunPowerCommand(PowerCommand::Hibernate, features, actions, messages);
    EXPECT_EQ(actions.calls,
              (std::vector<std::string>{"Privilege()", "SetSuspendState(100)", "SetSystemPowerState(00)"}));
}

TEST(PowerCommands, AMissingLockFunctionIsNeverCalled) {
    PowerFeatures features = Everything();
    features.lockWorkStation = false;
    RecordingPowerActions actions;
    RecordingMessages messages;
    RunPowerCommand(PowerCommand::Lock, features, actions, messages);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"Privilege()"}));
}

}  // namespace
}  // namespace brindle
