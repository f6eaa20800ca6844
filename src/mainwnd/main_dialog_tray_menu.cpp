// The main window's side of the tray menu: what its build needs (status line, busy icon, the tree's
// images, the icon cache) and the owner-drawn items' messages.
#include <windows.h>

#include <commctrl.h>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "views/view_rules.h"

namespace brindle {

void MainDialog::BeginBuild() {
    if (!options_.startHidden)
        ShowWindow(Item(IDC_STATUS), SW_SHOW);
    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconBusy_.Get());
    buildProgress_ = std::make_unique<StatusThrottle>([this](const std::string& text) { SetStatusText(text); });
}

void MainDialog::Progress(const std::string& text) {
    if (buildProgress_)
        buildProgress_->Text(text);
}

void MainDialog::EndBuild() {
    if (buildProgress_)
        buildProgress_->Flush();
    buildProgress_.reset();
    if (options_.taskbarHidden)
        trayIcon_.Notify(NotificationIcon::Op::Modify, iconHidden_.Get());
    ShowWindow(Item(IDC_STATUS), SW_HIDE);
}

// The images of the page's tree item; the folder images when the page has none.
void MainDialog::PageImages(int pageIndex, int& image, int& selectedImage) {
    image = 0;
    selectedImage = 1;
    PageRecord page;
    if (!store_.GetPageAt(pageIndex, page))
        return;
    const int entry = pageTree_.EntryOfPage(page.id);
    if (entry < 0)
        return;
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = pageTree_.Entries()[entry].item;
    if (TreeView_GetItem(Item(IDC_TREE), &item)) {
        image = item.iImage;
        selectedImage = item.iSelectedImage;
    }
}

int MainDialog::IconCacheIndex(const ShortcutRecord& shortcut) {
    const std::string key = views::IconKey(shortcut, system_);
    return key.empty() ? -1 : iconCache_.Lookup(key);  // an empty key names no file
}

std::vector<HICON> MainDialog::CachedSmallIcons() {
    std::vector<HICON> icons;
    for (const IconCache::Pair& pair : iconCache_.Pairs())
        icons.push_back(static_cast<HICON>(pair.small));
    return icons;
}

void MainDialog::ClearIconCache() {
    iconCache_.Clear();
}

// Owner-drawn menu items: those of the tray menu are measured and drawn here, in the status line's font
// (the user's, at the DPI where the menu opens); others get the default processing.
bool MainDialog::OnMenuItemMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HFONT font = TrayMenuFont();
    switch (message) {
        case WM_MEASUREITEM: {
            auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_MENU)
                return false;
            trayItems_.Measure(item, Hwnd(), font, store_);
            result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType != ODT_MENU)
                return false;
            trayItems_.Draw(item, font, store_, treeImages_.Get());
            result = TRUE;
            return true;
        }
        case WM_MENUCHAR: {
            result = trayItems_.MenuChar(LOWORD(wParam), reinterpret_cast<HMENU>(lParam), store_);
            return result != -1;  // no match: the system's default (a beep)
        }
        default:
            return false;
    }
}

}  // namespace brindle
