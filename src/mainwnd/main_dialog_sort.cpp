// The sort commands: sibling pages or the shortcuts of one page put in the order the user chooses in the
// sort dialog.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "sorting/sort_dialog.h"
#include "store/settings_store.h"
#include "ui/messages.h"

namespace brindle {
namespace {

constexpr char kRootName[] = "[Root]";
constexpr char kNotReordered[] = "並べ替えできませんでした。表示を更新しましたので、もう一度やり直してください。";
constexpr int kItemTextMax = 1024;

// Shows the wait cursor while it lives; the dialog's own loop sets the arrow back meanwhile.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

int TreeImageOf(HWND tree, HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_IMAGE;
    data.hItem = item;
    return TreeView_GetItem(tree, &data) ? data.iImage : -1;
}

std::string TreeTextOf(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = "";
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    return TreeView_GetItem(tree, &data) ? text : "";
}

}  // namespace

bool MainDialog::OnSortCommand(int id) {
    switch (id) {
        case ID_SORT_CHILD:
            if (IsWindowVisible(Hwnd()))
                if (HTREEITEM caret = pageTree_.Caret())
                    SortPages(caret);
            return true;
        case ID_SORT_ROOT:
            if (IsWindowVisible(Hwnd()))
                SortPages(nullptr);
            return true;
        case ID_SORT_SHORTCUT:
            SortShortcuts();
            return true;
        default:
            return false;
    }
}

bool MainDialog::SortPages(HTREEITEM parent) {
    WaitCursor wait;
    HWND tree = Item(IDC_TREE);
    std::string pageName = kRootName;
    if (parent) {
        const int entry = pageTree_.EntryOfItem(parent);
        if (entry < 0)
            return false;
        pageName = pageTree_.Entries()[entry].keyText;
    }
    HTREEITEM caret = pageTree_.Caret();
    int32_t caretPage = caret ? pageTree_.PageIdOfEntry(pageTree_.EntryOfItem(caret)) : -1;

    std::vector<SortItem> items;
    std::vector<int32_t> oldIds;
    for (HTREEITEM item = parent ? TreeView_GetChild(tree, parent) : TreeView_GetRoot(tree); item;
         item = TreeView_GetNextSibling(tree, item)) {
        const int entry = pageTree_.EntryOfItem(item);
        if (entry < 0)
            continue;
        const PageEntry& page = pageTree_.Entries()[entry];
        oldIds.push_back(page.pageId);
        items.push_back({page.keyText, TreeImageOf(tree, item), page.pageId});
    }

    SortDialog dialog(messages_, pageName, std::move(items), treeImages_.Get());
    if (RunModal(dialog) != IDOK)
        return false;

    const std::vector<int> keys = SortKeys(dialog.Items());
    const std::vector<int32_t> newIds(keys.begin(), keys.end());
    // The expanded states are saved under the ids the tree's items have now, so before the exchange.
    ClearTree();
    const bool renumbered = store_.RenumberPages(oldIds, newIds, &caretPage);
    Preferences prefs;
    store_.GetPreferences(prefs);
    if (caretPage != -1)
        prefs.Page = caretPage;
    store_.SetPreferencesAndSave(prefs);
    BuildTree();
    if (!renumbered)
        messages_.Show(kNotReordered, box::kIconStop);
    return true;
}

bool MainDialog::SortShortcuts() {
    if (!IsWindowVisible(Hwnd()))
        return false;
    WaitCursor wait;
    // A page switch still waiting for its timer is made now: the list then shows the caret's page, so the
    // keys read from the list and the page they are sorted in agree.
    if (pending_)
        ShowPageNow();
    HTREEITEM caret = pageTree_.Caret();
    const int entry = caret ? pageTree_.EntryOfItem(caret) : -1;
    if (entry < 0)
        return false;
    const int32_t pageId = pageTree_.PageIdOfEntry(entry);

    HWND list = Item(IDC_LIST);
    std::vector<SortItem> items;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[kItemTextMax] = "";
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        if (ListView_GetItem(list, &item) && listModel_.IndexAt(i) >= 0)
            items.push_back({text, item.iImage, listModel_.IndexAt(i)});
    }

    SortDialog dialog(messages_, TreeTextOf(Item(IDC_TREE), caret), std::move(items), smallImages_.Get());
    if (RunModal(dialog) != IDOK)
        return false;
    if (!store_.ReorderShortcuts(pageId, SortKeys(dialog.Items())))
        messages_.Show(kNotReordered, box::kIconStop);
    RefillList();
    return true;
}

}  // namespace brindle
