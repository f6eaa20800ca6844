#include "mainwnd/shortcut_list_ctrl.h"

#include <cstddef>

#include "ui/dialog.h"
#include "views/shortcut_rows.h"

namespace brindle {
namespace {

// LVITEMA and LVITEMW, LVFINDINFOA and LVFINDINFOW differ only in their text's type.
static_assert(offsetof(LVITEMA, lParam) == offsetof(LVITEMW, lParam));
static_assert(offsetof(LVFINDINFOA, lParam) == offsetof(LVFINDINFOW, lParam));

}  // namespace

LRESULT ShortcutListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DROPFILES:
            SendMessageA(GetParent(Hwnd()), WM_DROPFILES, wParam, 0);
            break;
        case WM_NOTIFY:
            if (!ui::IsNotificationFrom(lParam, {ListView_GetHeader(Hwnd()), ListView_GetToolTips(Hwnd())}))
                return 0;
            break;
        case LVM_GETITEMA:
        case LVM_GETITEMW: {
            const LRESULT got = DefaultProc(message, wParam, lParam);
            auto* item = reinterpret_cast<LVITEMA*>(lParam);
            if (got && rows_ && (item->mask & LVIF_PARAM))
                item->lParam = item->iSubItem == 0 ? rows_->IndexAt(item->iItem) : 0;
            return got;
        }
        case LVM_FINDITEMA:
        case LVM_FINDITEMW: {
            const auto* find = reinterpret_cast<const LVFINDINFOA*>(lParam);
            if (!find || !(find->flags & LVFI_PARAM) || !rows_)
                break;
            // After the item `wParam` (-1: from the first), as the list searches its own items.
            const int row = rows_->RowOf(static_cast<int>(find->lParam));
            return row > static_cast<int>(wParam) || (row >= 0 && (find->flags & LVFI_WRAP)) ? row : -1;
        }
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace brindle
