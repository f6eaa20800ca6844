// The page commands: add, edit and remove a page through the page dialog.
#include <windows.h>

#include <commctrl.h>

#include <map>

#include "editing/page_dialog.h"
#include "mainwnd/main_dialog.h"
#include "resource.h"
#include "store/settings_store.h"
#include "ui/messages.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

// The key text ("%d:%s") of the page with this id, or empty when there is none.
std::string PageKeyText(const SettingsStore& store, std::optional<int32_t> id) {
    PageRecord page;
    return id && store.FindPage(*id, page) ? views::KeyText(page.id, page.name) : std::string();
}

const char* Text(const std::string& text) {
    return text.c_str();
}

}  // namespace

std::optional<int32_t> MainDialog::CaretPageId() const {
    HTREEITEM caret = pageTree_.Caret();
    const int entry = caret ? pageTree_.EntryOfItem(caret) : -1;
    if (entry < 0)
        return std::nullopt;
    return pageTree_.PageIdOfEntry(entry);
}

// The page a choice list offered under `key`; nothing for "[Root]" (the top level) and for a key that
// is not in the list.
std::optional<int32_t> MainDialog::PageOfChoice(const std::map<std::string, HTREEITEM>& items,
                                                const std::string& key) const {
    const auto found = items.find(key);
    const int entry = found == items.end() || found->second == TVI_ROOT ? -1 : pageTree_.EntryWithItem(found->second);
    if (entry < 0)
        return std::nullopt;
    return pageTree_.PageIdOfEntry(entry);
}

void MainDialog::AddPage() {
    if (!IsWindowVisible(Hwnd()))
        return;
    PageDialog dialog;
    dialog.adding = true;
    dialog.pageIdText = "Undefined";
    std::map<std::string, HTREEITEM> items;
    pageTree_.ChoiceList(nullptr, true, dialog.parentCandidates, items);
    dialog.chosenParent = PageKeyText(store_, CaretPageId());
    if (RunModal(dialog) != IDOK)
        return;
    const std::optional<int32_t> parent = PageOfChoice(items, dialog.chosenParent);
    HTREEITEM parentItem = parent ? items.at(dialog.chosenParent) : TVI_ROOT;
    PageRecord page;
    page.name = Text(dialog.name);
    page.id = store_.NextFreePageId();
    page.parentId = parent.value_or(kTopLevel);
    page.useIcons = dialog.useIcons;
    page.normalIcon = Text(dialog.normalIcon);
    page.selectedIcon = Text(dialog.selectedIcon);
    store_.AddPage(page);
    // The new caret starts the page switch, whose refill saves the file.
    if (!pageTree_.InsertPage(page, parentItem, pageIcons_, treeImages_.Get())) {
        ClearTree();
        BuildTree();
    }
}

void MainDialog::EditPage() {
    HTREEITEM caret = pageTree_.Caret();
    const std::optional<int32_t> caretPage = CaretPageId();
    PageRecord page;
    if (!IsWindowVisible(Hwnd()) || !caretPage || !store_.FindPage(*caretPage, page))
        return;
    PageDialog dialog;
    std::map<std::string, HTREEITEM> items;
    pageTree_.ChoiceList(caret, false, dialog.parentCandidates, items);
    // The name from the store, whole: the item's text is only what the tree shows.
    dialog.name = page.name ? page.name : "";
    dialog.chosenParent = page.parentId == kTopLevel ? std::string() : PageKeyText(store_, page.parentId);
    dialog.useIcons = page.useIcons;
    dialog.normalIcon = page.normalIcon ? page.normalIcon : "";
    dialog.selectedIcon = page.selectedIcon ? page.selectedIcon : "";
    dialog.pageIdText = std::to_string(page.id);
    if (RunModal(dialog) != IDOK)
        return;
    const int32_t id = page.id;
    if (!store_.FindPage(id, page))
        return;
    store_.ReplacePage(Text(dialog.name), page.expanded, id,
                       PageOfChoice(items, dialog.chosenParent).value_or(kTopLevel), dialog.useIcons,
                       Text(dialog.normalIcon), Text(dialog.selectedIcon));
    ClearTree();
    Preferences prefs;
    store_.GetPreferences(prefs);
    store_.SetPreferencesAndSave(prefs);
    BuildTree();
}

void MainDialog::RemovePage() {
    const std::optional<int32_t> caretPage = CaretPageId();
    PageRecord page;
    if (!IsWindowVisible(Hwnd()) || !caretPage || !store_.FindPage(*caretPage, page))
        return;
    const std::string question =
        std::string("ページ '") + (page.name ? page.name : "") + "' を削除しますか？(ページの内容も含みます)";
    if (messages_.Show(question, box::kYesNo | box::kIconQuestion) != box::kAnswerYes)
        return;
    const int32_t id = page.id;
    std::vector<int32_t> below;
    for (const PageEntry& entry : pageTree_.Entries()) {
        if (entry.pageId != id && store_.IsAncestorPage(entry.pageId, id))
            below.push_back(entry.pageId);
    }
    store_.RemovePage(id);
    for (int32_t descendant : below)
        store_.RemovePage(descendant);

    ClearTree();
    BuildTree();
    HWND tree = Item(IDC_TREE);
    if (HTREEITEM first = TreeView_GetChild(tree, TVI_ROOT))
        TreeView_SelectItem(tree, first);
    // The list still shows store indexes from before the removal: refill it now, not when the page
    // switch comes due. With no page left nothing else saves the file.
    ShowPageNow();
    if (!pageTree_.Caret()) {
        Preferences prefs;
        store_.GetPreferences(prefs);
        store_.SetPreferencesAndSave(prefs);
    }
}

// Refills the list for the caret page at once, in place of a pending page switch.
void MainDialog::ShowPageNow() {
    KillTimer(Hwnd(), kPageTimer);
    pending_ = false;
    RefillList();
}

}  // namespace brindle
