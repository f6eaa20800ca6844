#pragma once

#include <windows.h>

#include "ui/pickers.h"

namespace brindle::ui {

// The system's pickers, owned by the window that is active when they open (a dialog of ours, so it is
// modal to it). The common dialog library is loaded from the system folder when first needed.
class WindowsPickers : public Pickers {
public:
    std::optional<std::string> OpenFile(const FileOpenRequest& request) override;
    std::optional<std::string> ChooseFolder(const FolderRequest& request) override;
    bool ChooseFont(FontChoice& font) override;
    bool ChooseColor(unsigned& color) override;
};

// The process's picker seam, installed like the message seam (AppMessages).
Pickers& AppPickers();
void SetAppPickers(Pickers* pickers);

}  // namespace brindle::ui
