#include "plan.h"

#include "json_dump.h"
#include "launch/launch_plan.h"
#include "store/settings_store.h"

namespace brindle {

bool PlanJson(const SettingsStore& store,
              int index,
              const std::vector<std::string>& arguments,
              Environment& env,
              std::string& json) {
    ShortcutRecord shortcut;
    if (!store.GetShortcutAt(index, shortcut)) {
        return false;
    }
    LaunchPlan plan;
    std::string error;
    if (!PlanLaunch(shortcut, arguments, env, plan, error)) {
        json = "{\"error\": " + JsonText(error.c_str()) + "}\n";
        return true;
    }
    json = "{\"file\": " + JsonText(plan.file.c_str()) + ", \"parameters\": " + JsonText(plan.parameters.c_str()) +
           ", \"directory\": " + JsonText(plan.directory.c_str()) + ", \"show\": " + std::to_string(plan.show) + "}\n";
    return true;
}

}  // namespace brindle
