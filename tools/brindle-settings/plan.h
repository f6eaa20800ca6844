#pragma once

#include <string>
#include <vector>

namespace brindle {

class Environment;
class SettingsStore;

// What LaunchShortcut would hand to the shell for the shortcut at `index` with the extra arguments
// (ANSI bytes), as one JSON object {"file", "parameters", "directory", "show"}, or {"error"} with the
// text the program would show. False when no shortcut is at the index.
bool PlanJson(const SettingsStore& store,
              int index,
              const std::vector<std::string>& arguments,
              Environment& env,
              std::string& json);

}  // namespace brindle
