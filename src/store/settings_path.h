#pragma once

#include <string>

namespace brindle {

// The settings file of a program: its module path with its extension (from the last '.' of the file name)
// replaced by ".INI" (C:\Tools\Brindle.exe gives C:\Tools\Brindle.INI); ".INI" is appended when the file
// name holds no '.' (C:\My.Tools\brindle gives C:\My.Tools\brindle.INI).
std::string SettingsPathForModule(const std::string& modulePath);

}  // namespace brindle
