#pragma once

#include <string>

namespace brindle {

// The settings file of a program: its module path with everything from the last '.' of the whole path
// replaced by ".INI" (C:\Tools\Brindle.exe gives C:\Tools\Brindle.INI); ".INI" is appended when the
// path holds no '.'.
std::string SettingsPathForModule(const std::string& modulePath);

}  // namespace brindle
