#pragma once

#include <windows.h>

#include <vector>

#include "ui/dialog.h"

namespace brindle::ui {

// The pages of a tab control: child dialogs (templates with DS_CONTROL | WS_CHILD) made inside the
// owning dialog, placed over the tab control's display area (TCM_ADJUSTRECT), one shown at a time.
// The owning dialog passes its WM_NOTIFY here and exchanges data across all pages at once.
class TabPages {
public:
    // `dialog` holds the tab control `tabId`; call from OnInitDialog.
    void Attach(HWND dialog, int tabId);
    // Makes `page`'s window and adds its tab; false when the window could not be made.
    bool Add(Dialog& page, const char* title);
    void Select(int index);
    int Selected() const { return selected_; }
    // TCN_SELCHANGE of the tab control: shows the chosen page. True when the notification was its.
    bool OnNotify(const NMHDR& header);
    // Exchanges the data of every page. A refused field brings its page to the front with the focus on
    // the field; false then.
    bool UpdateData(bool save);

private:
    HWND dialog_ = nullptr;
    HWND tab_ = nullptr;
    std::vector<Dialog*> pages_;
    int selected_ = -1;
};

}  // namespace brindle::ui
