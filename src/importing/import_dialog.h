#pragma once

#include <windows.h>

#include "ui/dialog.h"

namespace brindle {

// Where an import takes its folder from.
enum class ImportSource { None, Folder, StartMenu, Desktop };

// Asks what to import: a folder of the user's choice, or one of the two quick choices. Each button ends
// the dialog with its choice; Cancel chooses nothing.
class ImportDialog : public ui::Dialog {
public:
    ImportDialog();

    ImportSource chosen = ImportSource::None;

protected:
    bool OnCommand(int id, int code, HWND control) override;
};

}  // namespace brindle
