#pragma once

#include <string>

namespace brindle {

constexpr size_t kInstanceNameMax = 1023;  // bytes, without the terminator

// The name of the instance lock of a settings file: the path reversed (double-byte characters kept
// whole), "_" and a fixed suffix, cut at 1023 bytes, with every byte 0x5C turned into '/'.
// C:\Tools\Brindle.INI gives "INI.eldnirB/slooT/:C_MutexBrindleByORIOLEMar 21 200712:27:04".
std::string InstanceName(const std::string& settingsPath);

}  // namespace brindle
