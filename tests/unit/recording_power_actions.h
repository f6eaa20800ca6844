#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "system/power_rules.h"

namespace brindle::testing {

// Records every act in order, as "Name(arguments)", and answers with the results a test sets.
class RecordingPowerActions : public PowerActions {
public:
    bool LockWorkStation() override { return Record("Lock()", true); }
    bool ExitWindowsEx(unsigned flags, unsigned long reason) override {
        return Record("Exit(" + std::to_string(flags) + "," + std::to_string(reason) + ")", exitResult);
    }
    bool SetSuspendState(bool hibernate, bool force, bool wake) override {
        return Record("SetSuspendState(" + Flags({hibernate, force, wake}) + ")", suspendStateResult);
    }
    bool SetSystemPowerState(bool suspend, bool force) override {
        return Record("SetSystemPowerState(" + Flags({suspend, force}) + ")", systemPowerResult);
    }
    bool AdjustShutdownPrivilege() override { return Record("Privilege()", true); }
    void PostScreenSaver() override { Record("ScreenSaver()", true); }

    bool exitResult = false, suspendStateResult = true, systemPowerResult = true;
    std::vector<std::string> calls;

private:
    bool Record(std::string call, bool result) {
        calls.push_back(std::move(call));
        return result;
    }
    static std::string Flags(std::initializer_list<bool> flags) {
        std::string text;
        for (bool flag : flags)
            text += flag ? "1" : "0";
        return text;
    }
};

}  // namespace brindle::testing
