#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "importing/folder_import.h"
#include "importing/import_dialog.h"

namespace brindle {

class Messages;
class SettingsStore;
class System;

// The folders of a source, the user's first (the Start menu's programs and the desktop merge the
// user's folder with all users'); a folder of the user's choice through the folder picker. Empty when
// there is nothing to import (the picker was cancelled, the system knows no such folder).
std::vector<std::string> ImportRoots(ImportSource source);

// Imports `roots` under `parentId` as ImportFolders does, with the shortcuts files make by the rules
// of a dropped file (links read for their stored fields, unresolved). `status` is shown the progress now and then;
// Escape pressed meanwhile cancels (what was imported stays). The store is changed but not saved.
ImportResult RunImport(SettingsStore& store,
                       System& system,
                       const std::vector<std::string>& roots,
                       int32_t parentId,
                       const std::function<void(const std::string&)>& status);

// The status line's text after an import.
std::string ImportDoneText(const ImportResult& result);

}  // namespace brindle
