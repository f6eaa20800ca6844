#pragma once

#include <string>

namespace brindle {

constexpr size_t kInstanceNameMax = 1023;  // bytes, without the terminator

// The name of the instance lock of a settings file: the path reversed (double-byte characters kept
// whole), "_" and a fixed suffix, with every byte 0x5C turned into '/'.
// C:\Tools\Brindle.INI gives "INI.eldnirB/slooT/:C_MutexBrindleByORIOLEMar 21 200712:27:04".
// A name longer than 1023 bytes keeps its first 1006 bytes (whole characters) and gets '#' and a 64-bit
// hash of the whole name, so that paths which differ only where the cut falls (the drive letter, the first
// folders) still give two names.
std::string InstanceName(const std::string& settingsPath);

// The name of the instance lock (a named mutex) for an instance name. Kernel object names hold at most
// 259 characters, so a longer instance name keeps its first 240 bytes and gets '#' and a 64-bit hash of
// the whole name: the lock still tells settings files apart (the full names are compared as well).
std::string LockName(const std::string& instanceName);

}  // namespace brindle
