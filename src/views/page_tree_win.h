#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace brindle {

class SettingsStore;
class PageIconCache;
struct PageRecord;

// One page in the tree: its id, its tree item, the item it was inserted under (TVI_ROOT at the top
// level) and its key text "%d:%s".
struct PageEntry {
    int32_t pageId = 0;
    HTREEITEM item = nullptr;
    HTREEITEM parent = nullptr;
    std::string keyText;
};

// The page tree and the page combo, and the item table that ties their items to pages. Each tree item's
// lParam is the index of its entry in the table; the combo's entries are tied to theirs by a table
// kept here, in the combo's order.
class PageTree {
public:
    void Attach(HWND tree, HWND combo) {
        tree_ = tree;
        combo_ = combo;
    }

    // Fills the table, the tree and the combo from the store (an empty tree expected), restores the
    // expanded states and makes the page `Page` of the Preferences the caret. Page icons go through
    // `icons` to `images`.
    void Build(SettingsStore& store, PageIconCache& icons, HIMAGELIST images);
    void Clear();

    // Puts a page just added to the store under `parent` (among its siblings by id), into the table and
    // the combo, and makes it the caret. False when the tree refused the item.
    bool InsertPage(const PageRecord& page, HTREEITEM parent, PageIconCache& icons, HIMAGELIST images);

    // Where a page with this id goes among the children of `parent`: siblings stay in ascending id.
    HTREEITEM InsertionPlace(HTREEITEM parent, int32_t id) const;
    // The item's ancestors' texts, top level first, and its own, joined by "/".
    std::string PathText(HTREEITEM item) const;

    int32_t PageIdOfEntry(int index) const;
    int EntryOfItem(HTREEITEM item) const;    // by the item's lParam; -1 when out of the table
    int EntryWithItem(HTREEITEM item) const;  // by search; -1 when none
    // The first entry of the page with this id that has a tree item, or -1: a hash look-up, so a walk
    // over every page (the tray menu's build) stays linear.
    int EntryOfPage(int32_t pageId) const;
    int ComboIndexOf(int entry) const;       // the combo entry of table entry `entry`, or -1
    int EntryOfComboIndex(int index) const;  // the table entry of combo entry `index`, or -1
    HTREEITEM Caret() const { return TreeView_GetSelection(tree_); }
    const std::vector<PageEntry>& Entries() const { return entries_; }
    int Append(PageEntry entry);
    void Replace(int index, PageEntry entry);

    // TVN_ENDLABELEDITA: stores an allowed new name and renews the label and the combo entry. True when
    // the name was stored (the list is then refilled, which saves the file); a forbidden name, a
    // cancelled edit or a vanished page change nothing, silently.
    bool Rename(SettingsStore& store, const NMTVDISPINFOA& info);

    // Key texts of the pages a dialog may offer, and their items ("[Root]" is the top level). Without
    // `all`, the excluded page and its descendants are left out.
    void ChoiceList(HTREEITEM excluded,
                    bool all,
                    std::vector<std::string>& keys,
                    std::map<std::string, HTREEITEM>& items) const;

    // Writes each page's expanded state (TVIS_EXPANDED of its item) to the store.
    void SaveExpanded(SettingsStore& store) const;

private:
    void SetImages(HTREEITEM item, int index, int image, int selectedImage);
    void FillCombo(const std::vector<std::string>& paths);
    // Adds `path` with CB_ADDSTRING (sorted) or CB_INSERTSTRING (last), tied to table entry `entry`.
    void AddToCombo(UINT message, const std::string& path, int entry);
    void RemoveFromCombo(int index);
    void ResetCombo();
    void IndexEntry(int index);

    HWND tree_ = nullptr;
    HWND combo_ = nullptr;
    std::vector<PageEntry> entries_;
    std::unordered_map<int32_t, int> entryOfPage_;  // page id -> first entry with an item
    std::vector<int> comboEntries_;                 // combo index -> table entry
};

}  // namespace brindle
