#pragma once

#include "ui/subclass.h"

namespace brindle {

namespace views {
class ShortcutRows;
}

// The shortcut list: files dropped on it go to the main window as well; a WM_NOTIFY reaches the list
// only from its own header or tooltip (another program can post one with any address). Its rows are
// virtual, so the list keeps no item data: an item's data (LVM_GETITEM with LVIF_PARAM) and the search
// for it (LVM_FINDITEM with LVFI_PARAM) are answered from the rows, as the store index of its shortcut.
class ShortcutListCtrl : public ui::SubclassedWindow {
public:
    void SetRows(const views::ShortcutRows* rows) { rows_ = rows; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    const views::ShortcutRows* rows_ = nullptr;
};

}  // namespace brindle
