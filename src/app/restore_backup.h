#pragma once

#include <string>

namespace brindle {

class Messages;

// The start with "-restore": asks whether the settings file is to be put back from its backup, and does so
// on "Yes". The user is told when there is no backup or it cannot be put back. True when restored.
bool AskAndRestoreBackup(const std::string& settingsPath, Messages& messages);

// Said when "-restore" reached an instance that already runs on the file (it would save over the restored
// file when it ends).
extern const char kRestoreWhileRunningText[];

}  // namespace brindle
