#pragma once

#include <string>

// The one generation of backup beside a settings file: the file as it was before the program's first
// save of a run, kept as "NAME.bak".
namespace brindle::settings_backup {

std::string BackupPathOf(const std::string& settingsPath);

enum class RestoreResult {
    kRestored,
    kNoBackup,
    kFailed,
};

// Puts the backup's bytes in place of the settings file with the same safe replace as a save; the file
// that was there becomes the backup, so a second restore undoes the first. On kFailed `errorText` names the
// file and says why (ANSI bytes).
RestoreResult Restore(const std::string& settingsPath, std::string& errorText);

}  // namespace brindle::settings_backup
