#include "app/restore_backup.h"

#include "store/settings_backup.h"
#include "store/settings_io.h"
#include "ui/messages.h"

namespace brindle {

const char kRestoreWhileRunningText[] =
    "同じ環境ファイルのぶりんどるが実行中のため、バックアップから元に戻せません。\n"
    "終了してから、もう一度 -restore を付けて起動して下さい。\n";

bool AskAndRestoreBackup(const std::string& settingsPath, Messages& messages) {
    const std::string backup = settings_backup::BackupPathOf(settingsPath);
    constexpr char kNoBackupText[] = "\nバックアップがないため、環境ファイルを元に戻せません。";
    std::string bytes, errorText;
    if (settings_io::ReadWholeFile(backup, bytes, errorText) == settings_io::ReadResult::kNotFound) {
        messages.Show(backup + kNoBackupText, box::kIconExclamation);  // nothing to ask about
        return false;
    }
    const std::string question = settingsPath + "\nこの環境ファイルをバックアップ\n" + backup +
                                 "\nの内容に戻しますか？\n(今の環境ファイルがバックアップになります)";
    if (messages.Show(question, box::kYesNo | box::kIconQuestion) != box::kAnswerYes) {
        return false;
    }
    switch (settings_backup::Restore(settingsPath, errorText)) {
        case settings_backup::RestoreResult::kRestored:
            return true;
        case settings_backup::RestoreResult::kNoBackup:
            messages.Show(backup + kNoBackupText, box::kIconExclamation);
            return false;
        case settings_backup::RestoreResult::kFailed:
            messages.Show(errorText + "\nバックアップから環境ファイルを元に戻せません。", box::kIconStop);
            return false;
    }
    return false;
}

}  // namespace brindle
