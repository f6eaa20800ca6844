// The search window's side of the main window: making and opening it, and what it asks of the main
// window (launching through the list's code, showing a shortcut in its page, "Exist folder").
#include <windows.h>

#include <commctrl.h>

#include "launch/shell_launch_win.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "search/search_dialog.h"
#include "store/settings_store.h"

namespace brindle {

// Made once, hidden; the program goes on without it when its window cannot be made.
void MainDialog::CreateSearch() {
    if (searchTried_)
        return;
    searchTried_ = true;
    search_ = std::make_unique<SearchDialog>(static_cast<SearchHost&>(*this));
    if (!search_->Create(Hwnd()))
        search_.reset();
}

HWND MainDialog::SearchWindow() const {
    return search_ ? search_->Hwnd() : nullptr;
}

void MainDialog::OpenSearch() {
    if (!ready_)
        return;
    CreateSearch();  // asked for before the first paint made it
    if (search_)
        search_->Open();
}

HIMAGELIST MainDialog::SearchClassImages() {
    return smallImages_.Get();
}

void MainDialog::LaunchFound(int storeIndex, const std::vector<std::string>& files) {
    LaunchShortcut(store_, storeIndex, files, Hwnd(), messages_, system_);
}

void MainDialog::OpenFolderOfFound(int storeIndex) {
    OpenFolderOfShortcut(store_, storeIndex, Hwnd(), messages_, system_);
}

void MainDialog::ShowFoundInMain(int storeIndex) {
    ShortcutRecord shortcut;
    if (!store_.GetShortcutAt(storeIndex, shortcut))
        return;
    if (!IsWindowVisible(Hwnd()))
        Restore();
    if (!IsWindowVisible(Hwnd()))
        return;  // busy with a command: it stays hidden
    // The first page with the shortcut's page id, as the tree shows it.
    const std::vector<PageEntry>& entries = pageTree_.Entries();
    for (const PageEntry& entry : entries) {
        if (entry.pageId != shortcut.pageId || !entry.item)
            continue;
        TreeView_SelectItem(Item(IDC_TREE), entry.item);
        pending_ = false;
        RefillList();
        KillTimer(Hwnd(), kPageTimer);
        break;
    }
    HWND list = Item(IDC_LIST);
    const int item = listModel_.RowOf(storeIndex);
    if (item < 0)
        return;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(list, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list, item, FALSE);
    SetForegroundWindow(Hwnd());
    SendMessageA(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
}

}  // namespace brindle
