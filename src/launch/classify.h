#pragma once

#include <cstdint>
#include <string>

namespace brindle {

class SettingsStore;
class System;

// Kinds of launch targets; also the standard images of the list and the tray menu.
namespace target {
constexpr int kWebAddress = 0;
constexpr int kFile = 1;
constexpr int kProgram = 2;
constexpr int kFolder = 3;
constexpr int kMissing = -1;
}  // namespace target

// Whether targets and icons may be looked up on disk now, by the icon policy iChkLoadIcon: 0 unless
// Ctrl is held, 1 never, 2 (and any other value) always.
bool TargetAccessAllowed(const SettingsStore& store, System& system);

// Whether the file part begins with one of the web prefixes (case-sensitive).
bool IsWebAddress(const std::string& file);

// Whether a file part names a program by its name (".exe", any case), as the classification decides.
bool IsProgramName(const std::string& file);

// The kind of a command line's target. With `check` set and disk access allowed, the file system is
// asked whether the target exists and is a folder; otherwise only the name decides.
int ClassifyTarget(const char* commandLine, int32_t check, const SettingsStore& store, System& system);

// The folder that holds the target of a command line, or an empty text (a web address, no match).
std::string FolderOfCommandLine(const char* commandLine, System& system);

}  // namespace brindle
