#pragma once

#include "ui/subclass.h"

namespace brindle {

// The shortcut list: files dropped on it go to the main window as well; a WM_NOTIFY reaches the list
// only from its own header or tooltip (another program can post one with any address).
class ShortcutListCtrl : public ui::SubclassedWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace brindle
