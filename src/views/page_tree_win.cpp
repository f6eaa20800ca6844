#include "views/page_tree_win.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "store/settings_store.h"
#include "views/icon_cache.h"
#include "views/icon_reader_win.h"
#include "views/tree_notice_mute_win.h"
#include "views/view_rules.h"

namespace brindle {
namespace {

constexpr char kRootKey[] = "[Root]";

LPARAM ParamOf(HWND tree, HTREEITEM item) {
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_PARAM;
    data.hItem = item;
    return TreeView_GetItem(tree, &data) ? data.lParam : -1;
}

std::string TextOf(HWND tree, HTREEITEM item) {
    char text[1024] = "";
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &data);
    return text;
}

// The key by which the sorted combo orders a text: the user's locale, case ignored. Most keys fit the
// buffer, so one call makes them; a longer one (half-width katakana take more than four bytes a
// character) is made again at the size asked for. Empty when the key cannot be made.
std::string SortKey(const std::string& text, std::string& buffer) {
    constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
    constexpr size_t kUsualSize = 512;
    if (buffer.size() < kUsualSize)
        buffer.resize(kUsualSize);
    int length =
        LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.c_str(), -1, buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 0) {
        const int size = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.c_str(), -1, nullptr, 0);
        if (size <= 0)
            return {};
        buffer.resize(static_cast<size_t>(size));
        length = LCMapStringA(LOCALE_USER_DEFAULT, kFlags, text.c_str(), -1, buffer.data(), size);
    }
    return length > 0 ? buffer.substr(0, static_cast<size_t>(length)) : std::string();
}

}  // namespace

void PageTree::Build(SettingsStore& store, PageIconCache& icons, HIMAGELIST images) {
    entries_.clear();
    entryOfPage_.clear();
    store.SortPagesById();
    icons.Clear();

    std::vector<PageRecord> pages;
    pages.reserve(store.PageCount());
    entries_.reserve(store.PageCount());
    PageRecord page;
    for (int i = 0; store.GetPageAt(i, page); ++i) {
        pages.push_back(page);
        entries_.push_back({page.id, nullptr, nullptr, {}});
    }

    SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
    std::optional<TreeNoticeMute> mute(std::in_place, tree_);  // the expansions below notify nobody
    // Path texts are built along with the items: a page's path is its parent's path, "/", its name.
    std::vector<std::string> paths(pages.size());
    // The greatest page id under each parent so far (slot 0: the top level, slot i + 1: entry i): a page
    // with an id at least that great goes last without a walk through its siblings (pages mostly come
    // in ascending id).
    std::vector<std::optional<int32_t>> greatestChild(pages.size() + 1);
    for (const views::TreeInsert& step : views::PlanTreeInsertions(pages)) {
        const PageRecord& p = pages[step.entry];
        HTREEITEM parent = step.parentEntry < 0 ? TVI_ROOT : entries_[step.parentEntry].item;
        // An item whose parent's item was refused goes to the top level (a null parent), among its items.
        std::optional<int32_t>& greatest = greatestChild[parent && parent != TVI_ROOT ? step.parentEntry + 1 : 0];
        HTREEITEM after = TVI_LAST;
        if (!greatest || p.id < *greatest)
            after = InsertionPlace(parent, p.id);
        const auto [image, selectedImage] = icons.ImagePair(p.useIcons, p.normalIcon, p.selectedIcon);
        const char* name = p.name ? p.name : "";
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.pszText = const_cast<char*>(name);
        insert.item.lParam = step.entry;
        insert.item.iImage = image;
        insert.item.iSelectedImage = selectedImage;
        HTREEITEM item = TreeView_InsertItem(tree_, &insert);
        if (!item)
            continue;
        if (!greatest || p.id > *greatest)
            greatest = p.id;
        PageEntry& entry = entries_[step.entry];
        entry.item = item;
        entry.parent = parent;
        entry.keyText = views::KeyText(p.id, p.name);
        std::string& path = paths[step.entry];
        if (step.parentEntry >= 0) {
            const std::string& above = paths[step.parentEntry];
            path.reserve(above.size() + 1 + std::strlen(name));
            path.append(above).append(1, '/');
        }
        path.append(name);
    }

    FillCombo(paths);
    for (size_t i = 0; i < entries_.size(); ++i)
        IndexEntry(static_cast<int>(i));

    IconsToTreeImageList(icons, images);

    Preferences prefs;
    store.GetPreferences(prefs);
    HTREEITEM select = nullptr;
    int selectEntry = -1;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].item)
            continue;
        if (pages[i].expanded)
            TreeView_Expand(tree_, entries_[i].item, TVE_EXPAND);
        if (pages[i].id == prefs.Page) {
            select = entries_[i].item;
            selectEntry = static_cast<int>(i);
        }
    }

    mute.reset();  // a selection is the main window's business
    SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);

    if (select)
        TreeView_SelectItem(tree_, select);
    if (selectEntry >= 0) {
        const int comboIndex = ComboIndexOf(selectEntry);
        if (comboIndex >= 0)
            SendMessageA(combo_, CB_SETCURSEL, comboIndex, 0);
    }
}

// The combo sorts what CB_ADDSTRING adds, by a case-insensitive comparison of the user's locale; one
// binary search of such comparisons per entry is slow for thousands of pages. The entries are sorted
// here by the sort keys of that same comparison and appended in order, so the list is as the combo
// would have sorted it, and a later CB_ADDSTRING (a rename) finds its place in it. A path whose key
// cannot be made (the call fails) is left to the combo's own sorting, after the others are in.
void PageTree::FillCombo(const std::vector<std::string>& paths) {
    struct Keyed {
        std::string key;
        size_t entry;
    };
    std::vector<Keyed> order;
    std::vector<size_t> unkeyed;
    order.reserve(entries_.size());
    std::string buffer;
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].item)
            continue;
        std::string key = SortKey(paths[i], buffer);
        if (key.empty())
            unkeyed.push_back(i);
        else
            order.push_back({std::move(key), i});
    }
    std::stable_sort(order.begin(), order.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });

    SendMessageA(combo_, WM_SETREDRAW, FALSE, 0);
    ResetCombo();
    SendMessageA(combo_, CB_INITSTORAGE, order.size() + unkeyed.size(), 0);
    comboEntries_.reserve(order.size() + unkeyed.size());
    for (const Keyed& item : order)
        AddToCombo(CB_INSERTSTRING, paths[item.entry], static_cast<int>(item.entry));
    for (size_t entry : unkeyed)
        AddToCombo(CB_ADDSTRING, paths[entry], static_cast<int>(entry));
    SendMessageA(combo_, WM_SETREDRAW, TRUE, 0);
}

// The combo's entries carry no item data: the table of their tree entries is kept here, so an entry
// costs one message to add and none to remove (an entry with item data is announced to the main
// window with WM_DELETEITEM when it goes), and finding a page's entry costs none.
void PageTree::AddToCombo(UINT message, const std::string& path, int entry) {
    const LRESULT at = SendMessageA(combo_, message, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(path.c_str()));
    if (at == CB_ERR || at == CB_ERRSPACE || at < 0 || static_cast<size_t>(at) > comboEntries_.size())
        return;
    comboEntries_.insert(comboEntries_.begin() + at, entry);
}

void PageTree::RemoveFromCombo(int index) {
    if (index < 0 || index >= static_cast<int>(comboEntries_.size()))
        return;
    if (SendMessageA(combo_, CB_DELETESTRING, index, 0) != CB_ERR)
        comboEntries_.erase(comboEntries_.begin() + index);
}

void PageTree::ResetCombo() {
    SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
    comboEntries_.clear();
}

// Deleting every item selects nothing in its place, so the notices muted here are all there is.
void PageTree::Clear() {
    SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
    {
        TreeNoticeMute mute(tree_);
        TreeView_DeleteItem(tree_, TVI_ROOT);
    }
    SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);
    ResetCombo();
}

bool PageTree::InsertPage(const PageRecord& page, HTREEITEM parent, PageIconCache& icons, HIMAGELIST images) {
    const auto [image, selectedImage] = icons.ImagePair(page.useIcons, page.normalIcon, page.selectedIcon);
    const int index = static_cast<int>(entries_.size());
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = InsertionPlace(parent, page.id);
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(page.name ? page.name : "");
    insert.item.lParam = index;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    HTREEITEM item = TreeView_InsertItem(tree_, &insert);
    if (!item)
        return false;
    Append({page.id, item, parent, views::KeyText(page.id, page.name)});
    IconsToTreeImageList(icons, images);
    AddToCombo(CB_ADDSTRING, PathText(item), index);
    TreeView_SelectItem(tree_, item);
    return true;
}

HTREEITEM PageTree::InsertionPlace(HTREEITEM parent, int32_t id) const {
    HTREEITEM child = !parent || parent == TVI_ROOT ? TreeView_GetRoot(tree_) : TreeView_GetChild(tree_, parent);
    for (; child; child = TreeView_GetNextSibling(tree_, child)) {
        if (PageIdOfEntry(static_cast<int>(ParamOf(tree_, child))) > id)
            break;
    }
    if (!child)
        return TVI_LAST;
    HTREEITEM previous = TreeView_GetPrevSibling(tree_, child);
    return previous ? previous : TVI_FIRST;
}

std::string PageTree::PathText(HTREEITEM item) const {
    std::string path = TextOf(tree_, item);
    // A tree has no cycles, but the walk is bounded by the table anyway.
    size_t steps = 0;
    for (HTREEITEM up = TreeView_GetParent(tree_, item); up && steps <= entries_.size();
         up = TreeView_GetParent(tree_, up), ++steps) {
        path = TextOf(tree_, up) + "/" + path;
    }
    return path;
}

int32_t PageTree::PageIdOfEntry(int index) const {
    return index >= 0 && index < static_cast<int>(entries_.size()) ? entries_[index].pageId : -1;
}

int PageTree::EntryOfItem(HTREEITEM item) const {
    const LPARAM index = item ? ParamOf(tree_, item) : -1;
    return index >= 0 && index < static_cast<LPARAM>(entries_.size()) ? static_cast<int>(index) : -1;
}

int PageTree::EntryWithItem(HTREEITEM item) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (item && entries_[i].item == item)
            return static_cast<int>(i);
    }
    return -1;
}

int PageTree::ComboIndexOf(int entry) const {
    const auto found = std::find(comboEntries_.begin(), comboEntries_.end(), entry);
    return found == comboEntries_.end() ? -1 : static_cast<int>(found - comboEntries_.begin());
}

int PageTree::EntryOfComboIndex(int index) const {
    return index >= 0 && index < static_cast<int>(comboEntries_.size()) ? comboEntries_[index] : -1;
}

int PageTree::EntryOfPage(int32_t pageId) const {
    const auto found = entryOfPage_.find(pageId);
    return found == entryOfPage_.end() ? -1 : found->second;
}

void PageTree::IndexEntry(int index) {
    const PageEntry& entry = entries_[index];
    if (entry.item)
        entryOfPage_.emplace(entry.pageId, index);  // an earlier entry of the same id stays first
}

int PageTree::Append(PageEntry entry) {
    entries_.push_back(std::move(entry));
    const int index = static_cast<int>(entries_.size()) - 1;
    IndexEntry(index);
    return index;
}

// Used for a rename: the entry keeps its page id and item, so the index stays as it is.
void PageTree::Replace(int index, PageEntry entry) {
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        entries_[index] = std::move(entry);
}

void PageTree::SetImages(HTREEITEM item, int index, int image, int selectedImage) {
    TVITEMA data{};
    data.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    data.hItem = item;
    data.lParam = index;
    data.iImage = image;
    data.iSelectedImage = selectedImage;
    TreeView_SetItem(tree_, &data);
}

bool PageTree::Rename(SettingsStore& store, const NMTVDISPINFOA& info) {
    if (!(info.item.mask & TVIF_TEXT) || !info.item.pszText) {
        return false;  // the edit was cancelled
    }
    const std::string name = info.item.pszText;
    if (!views::PageNameAllowed(name)) {
        return false;
    }
    HTREEITEM item = info.item.hItem;
    TVITEMA current{};
    current.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    current.hItem = item;
    if (!TreeView_GetItem(tree_, &current))
        return false;
    const int index = static_cast<int>(current.lParam);
    const int comboIndex = ComboIndexOf(index);
    PageRecord page;
    if (!store.FindPage(PageIdOfEntry(index), page)) {
        return false;
    }

    TVITEMA text{};
    text.mask = TVIF_HANDLE | TVIF_TEXT;
    text.hItem = item;
    text.pszText = const_cast<char*>(name.c_str());
    TreeView_SetItem(tree_, &text);
    if (comboIndex >= 0) {
        RemoveFromCombo(comboIndex);
        AddToCombo(CB_ADDSTRING, PathText(item), index);
    }
    SetImages(item, index, current.iImage, current.iSelectedImage);

    PageEntry entry = entries_[index];
    entry.keyText = views::KeyText(page.id, name.c_str());
    Replace(index, std::move(entry));
    store.ReplacePage(name.c_str(), page.expanded, page.id, page.parentId, page.useIcons, page.normalIcon,
                      page.selectedIcon);
    return true;
}

void PageTree::ChoiceList(HTREEITEM excluded,
                          bool all,
                          std::vector<std::string>& keys,
                          std::map<std::string, HTREEITEM>& items) const {
    keys.clear();
    items.clear();
    items[kRootKey] = TVI_ROOT;
    for (const PageEntry& entry : entries_) {
        bool take = all;
        if (!all && entry.item != excluded) {
            take = true;
            // Walk up through the table; the step count bounds the walk whatever the table holds.
            HTREEITEM up = entry.parent;
            for (size_t steps = 0; up && up != TVI_ROOT && steps <= entries_.size(); ++steps) {
                if (up == excluded) {
                    take = false;
                    break;
                }
                const int parent = EntryWithItem(up);
                up = parent < 0 ? nullptr : entries_[parent].parent;
            }
        }
        if (!take)
            continue;
        keys.push_back(entry.keyText);
        items[entry.keyText] = entry.item;
    }
}

// One pass over the store for all the pages: a look-up per page would make thousands of pages quadratic.
void PageTree::SaveExpanded(SettingsStore& store) const {
    std::vector<std::pair<int32_t, int32_t>> states;
    states.reserve(entries_.size());
    for (const PageEntry& entry : entries_) {
        if (!entry.item)
            continue;
        const bool expanded = TreeView_GetItemState(tree_, entry.item, TVIS_EXPANDED) & TVIS_EXPANDED;
        states.emplace_back(entry.pageId, expanded ? 1 : 0);
    }
    store.SetPagesExpanded(states);
}

}  // namespace brindle
