#pragma once

#include "ui/subclass.h"

namespace brindle {

// The shortcut list: files dropped on it go to the main window as well.
class ShortcutListCtrl : public ui::SubclassedWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace brindle
