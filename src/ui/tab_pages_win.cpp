#include "ui/tab_pages_win.h"

#include <commctrl.h>

namespace brindle::ui {

void TabPages::Attach(HWND dialog, int tabId) {
    dialog_ = dialog;
    tab_ = GetDlgItem(dialog, tabId);
    pages_.clear();
    selected_ = -1;
}

bool TabPages::Add(Dialog& page, const char* title) {
    if (!tab_ || !page.Create(dialog_))
        return false;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(title);
    const int index = static_cast<int>(pages_.size());
    SendMessageA(tab_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    pages_.push_back(&page);

    // The display area of the tab control, in the dialog's client coordinates.
    RECT area{};
    GetWindowRect(tab_, &area);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    // Above the tab control in the Z order, so the page, not the tab control, gets the clicks.
    SetWindowPos(page.Hwnd(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE);
    ShowWindow(page.Hwnd(), SW_HIDE);
    if (selected_ < 0)
        Select(0);
    return true;
}

void TabPages::Select(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size()))
        return;
    if (SendMessageA(tab_, TCM_GETCURSEL, 0, 0) != index)
        SendMessageA(tab_, TCM_SETCURSEL, index, 0);
    for (size_t i = 0; i < pages_.size(); ++i)
        ShowWindow(pages_[i]->Hwnd(), static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    selected_ = index;
}

bool TabPages::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != tab_ || header.code != static_cast<UINT>(TCN_SELCHANGE))
        return false;
    Select(static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0)));
    return true;
}

bool TabPages::UpdateData(bool save) {
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i]->UpdateData(save))
            continue;
        // The field already has the focus; its page comes to the front and the focus is put back on it.
        HWND field = GetFocus();
        Select(static_cast<int>(i));
        if (field)
            SetFocus(field);
        return false;
    }
    return true;
}

}  // namespace brindle::ui
