#include "store/settings_backup.h"

#include "store/settings_io.h"

namespace brindle::settings_backup {

std::string BackupPathOf(const std::string& settingsPath) {
    return settingsPath + ".bak";
}

RestoreResult Restore(const std::string& settingsPath, std::string& errorText) {
    const std::string backup = BackupPathOf(settingsPath);
    std::string bytes;
    switch (settings_io::ReadWholeFile(backup, bytes, errorText)) {
        case settings_io::ReadResult::kNotFound:
            return RestoreResult::kNoBackup;
        case settings_io::ReadResult::kFailed:
            return RestoreResult::kFailed;
        case settings_io::ReadResult::kRead:
            break;
    }
    return settings_io::ReplaceWholeFile(settingsPath, bytes, errorText, backup) ? RestoreResult::kRestored
                                                                                 : RestoreResult::kFailed;
}

}  // namespace brindle::settings_backup
