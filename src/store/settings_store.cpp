#include "store/settings_store.h"

#include <algorithm>
#include <unordered_map>

namespace brindle {

SettingsStore::SettingsStore(Messages& messages, std::string settingsPath)
    : messages_(messages), settingsPath_(std::move(settingsPath)), prefs_(DefaultPreferences()) {}

bool SettingsStore::GetPreferences(Preferences& out) const {
    out = prefs_;
    return true;
}

bool SettingsStore::SetPreferencesAndSave(const Preferences& prefs) {
    prefs_ = prefs;
    // The face name is written as one line's value, as the record texts are (see TextPool::Copy).
    for (char& c : prefs_.font.lfFaceName) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    Save();
    return true;
}

// ---- pages ----

bool SettingsStore::GetPageAt(int index, PageRecord& out) const {
    if (index < 0 || index >= PageCount()) {
        return false;
    }
    out = pages_[index];
    return true;
}

int SettingsStore::IndexOfPage(int32_t id) const {
    for (size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i].id == id) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool SettingsStore::FindPage(int32_t id, PageRecord& out) const {
    return GetPageAt(IndexOfPage(id), out);
}

int SettingsStore::AddPage(PageRecord& page) {
    ++changes_;
    page.name = pool_.Copy(page.name);
    page.normalIcon = pool_.Copy(page.normalIcon);
    page.selectedIcon = pool_.Copy(page.selectedIcon);
    pages_.push_back(page);
    return PageCount() - 1;
}

bool SettingsStore::ReplacePageAt(int index,
                                  const char* name,
                                  int32_t expanded,
                                  int32_t id,
                                  int32_t parentId,
                                  int32_t useIcons,
                                  const char* normalIcon,
                                  const char* selectedIcon) {
    if (index < 0 || index >= PageCount()) {
        return false;
    }
    ++changes_;
    PageRecord& page = pages_[index];
    pool_.Replace({{page.name, name}, {page.normalIcon, normalIcon}, {page.selectedIcon, selectedIcon}});
    page.expanded = expanded;
    page.id = id;
    page.parentId = parentId;
    page.useIcons = useIcons;
    return true;
}

bool SettingsStore::ReplacePage(const char* name,
                                int32_t expanded,
                                int32_t id,
                                int32_t parentId,
                                int32_t useIcons,
                                const char* normalIcon,
                                const char* selectedIcon) {
    return ReplacePageAt(IndexOfPage(id), name, expanded, id, parentId, useIcons, normalIcon, selectedIcon);
}

bool SettingsStore::SetPageExpanded(int32_t id, int32_t expanded) {
    int index = IndexOfPage(id);
    if (index < 0) {
        return false;
    }
    pages_[index].expanded = expanded;
    return true;
}

void SettingsStore::SetPagesExpanded(const std::vector<std::pair<int32_t, int32_t>>& states) {
    std::unordered_map<int32_t, int32_t> stateOf;
    stateOf.reserve(states.size());
    for (const auto& [id, expanded] : states)
        stateOf[id] = expanded;
    for (PageRecord& page : pages_) {
        if (stateOf.empty())
            break;
        const auto found = stateOf.find(page.id);
        if (found == stateOf.end())
            continue;
        page.expanded = found->second;
        stateOf.erase(found);  // a later page of the same id keeps its own state
    }
}

bool SettingsStore::RemovePageAt(int index) {
    if (index < 0 || index >= PageCount()) {
        return false;
    }
    ++changes_;
    const int32_t id = pages_[index].id;
    for (int i = ShortcutCount() - 1; i >= 0; --i) {
        if (shortcuts_[i].pageId == id) {
            RemoveShortcutAt(i);
        }
    }
    FreeTexts(pages_[index]);
    pages_.erase(pages_.begin() + index);
    return true;
}

bool SettingsStore::RemovePage(int32_t id) {
    return RemovePageAt(IndexOfPage(id));
}

int32_t SettingsStore::NextFreePageId() const {
    std::vector<bool> used(65535, false);
    for (const PageRecord& page : pages_) {
        if (page.id >= 0 && page.id < 65535) {
            used[page.id] = true;
        }
    }
    auto free = std::find(used.begin(), used.end(), false);
    return static_cast<int32_t>(free - used.begin());
}

bool SettingsStore::IsAncestorPage(int32_t id, int32_t ancestorId) const {
    // A hand-edited file may hold a cycle: a chain longer than the table has repeated itself.
    for (size_t steps = 0; steps <= pages_.size(); ++steps) {
        int index = IndexOfPage(id);
        if (index < 0) {
            return false;
        }
        id = pages_[index].parentId;
        if (id == ancestorId) {
            return true;
        }
        if (id == kTopLevel) {
            return false;
        }
    }
    return false;
}

void SettingsStore::SortPagesById() {
    ++changes_;
    std::stable_sort(pages_.begin(), pages_.end(),
                     [](const PageRecord& a, const PageRecord& b) { return a.id < b.id; });
}

bool SettingsStore::RenumberPages(const std::vector<int32_t>& handOut,
                                  const std::vector<int32_t>& newOrder,
                                  int32_t* currentPageId) {
    // Only an exchange among the same ids is taken: any other id would give two pages one id.
    std::vector<int32_t> given(handOut), taken(newOrder);
    std::sort(given.begin(), given.end());
    std::sort(taken.begin(), taken.end());
    if (given != taken) {
        return false;
    }
    ++changes_;
    // Every comparison is made against the ids as they were before, so the lists may be any permutation.
    std::unordered_map<int32_t, int32_t> newIdOf;
    for (size_t i = 0; i < newOrder.size(); ++i) {
        newIdOf.emplace(newOrder[i], handOut[i]);
    }
    auto renumber = [&newIdOf](int32_t& id) {
        auto found = newIdOf.find(id);
        if (found != newIdOf.end()) {
            id = found->second;
        }
    };
    for (PageRecord& page : pages_) {
        renumber(page.id);
        renumber(page.parentId);
    }
    for (ShortcutRecord& shortcut : shortcuts_) {
        renumber(shortcut.pageId);
    }
    if (currentPageId) {
        renumber(*currentPageId);
    }
    return true;
}

// ---- shortcuts ----

bool SettingsStore::GetShortcutAt(int index, ShortcutRecord& out) const {
    if (index < 0 || index >= ShortcutCount()) {
        return false;
    }
    out = shortcuts_[index];
    return true;
}

int SettingsStore::AddShortcut(const char* name,
                               const char* commandLine,
                               const char* icon,
                               const char* workFolder,
                               int32_t showType,
                               int32_t pageId,
                               int32_t readIcon,
                               int32_t check,
                               const char* comment) {
    ++changes_;
    ShortcutRecord shortcut;
    shortcut.name = pool_.Copy(name);
    shortcut.commandLine = pool_.Copy(commandLine);
    shortcut.icon = pool_.Copy(icon);
    shortcut.workFolder = pool_.Copy(workFolder);
    shortcut.showType = showType;
    shortcut.pageId = pageId;
    shortcut.readIcon = readIcon;
    shortcut.check = check;
    shortcut.comment = pool_.Copy(comment);
    shortcuts_.push_back(shortcut);
    return ShortcutCount() - 1;
}

bool SettingsStore::ReplaceShortcutAt(int index,
                                      const char* name,
                                      const char* commandLine,
                                      const char* icon,
                                      const char* workFolder,
                                      int32_t showType,
                                      int32_t pageId,
                                      int32_t readIcon,
                                      int32_t check,
                                      const char* comment) {
    if (index < 0 || index >= ShortcutCount()) {
        return false;
    }
    ++changes_;
    ShortcutRecord& shortcut = shortcuts_[index];
    pool_.Replace({{shortcut.name, name},
                   {shortcut.commandLine, commandLine},
                   {shortcut.icon, icon},
                   {shortcut.workFolder, workFolder},
                   {shortcut.comment, comment}});
    shortcut.showType = showType;
    shortcut.pageId = pageId;
    shortcut.readIcon = readIcon;
    shortcut.check = check;
    return true;
}

bool SettingsStore::SetShortcutRunAs(int index, bool runAs) {
    if (index < 0 || index >= ShortcutCount()) {
        return false;
    }
    shortcuts_[index].runAs = runAs ? 1 : 0;
    return true;
}

bool SettingsStore::NoteLaunch(int index, int64_t utcSeconds) {
    if (index < 0 || index >= ShortcutCount()) {
        return false;
    }
    ++launches_;
    launched_[launches_ % kLaunchRecord] = index;
    ShortcutRecord& shortcut = shortcuts_[index];
    if (shortcut.launchCount < INT32_MAX)
        ++shortcut.launchCount;
    shortcut.lastLaunch = std::max<int64_t>(shortcut.lastLaunch, utcSeconds);
    return true;
}

bool SettingsStore::LaunchedSince(uint64_t since, std::vector<int>& indices) const {
    indices.clear();
    if (since > launches_ || launches_ - since > static_cast<uint64_t>(kLaunchRecord))
        return false;
    for (uint64_t n = since + 1; n <= launches_; ++n)
        indices.push_back(launched_[n % kLaunchRecord]);
    return true;
}

bool SettingsStore::RemoveShortcutAt(int index) {
    if (index < 0 || index >= ShortcutCount()) {
        return false;
    }
    ++changes_;
    FreeTexts(shortcuts_[index]);
    shortcuts_.erase(shortcuts_.begin() + index);
    return true;
}

int SettingsStore::CountShortcuts(int32_t pageId) const {
    if (pageId == kTopLevel) {
        return ShortcutCount();
    }
    return static_cast<int>(std::count_if(shortcuts_.begin(), shortcuts_.end(),
                                          [pageId](const ShortcutRecord& s) { return s.pageId == pageId; }));
}

bool SettingsStore::ReorderShortcuts(int32_t pageId, const std::vector<int>& order) {
    std::vector<int> slots;
    for (int i = 0; i < ShortcutCount(); ++i) {
        if (shortcuts_[i].pageId == pageId) {
            slots.push_back(i);
        }
    }
    // Only a permutation of the page's own slots is taken: anything else would leave two records
    // sharing (and later freeing) the same texts.
    std::vector<int> sortedOrder(order);
    std::sort(sortedOrder.begin(), sortedOrder.end());
    if (sortedOrder != slots) {
        return false;
    }
    ++changes_;
    const std::vector<ShortcutRecord> before(shortcuts_);
    for (size_t i = 0; i < slots.size(); ++i) {
        shortcuts_[slots[i]] = before[order[i]];
    }
    return true;
}

void SettingsStore::FreeTexts(PageRecord& page) {
    pool_.Free(page.name);
    pool_.Free(page.normalIcon);
    pool_.Free(page.selectedIcon);
    page.name = page.normalIcon = page.selectedIcon = nullptr;
}

void SettingsStore::FreeTexts(ShortcutRecord& shortcut) {
    pool_.Free(shortcut.name);
    pool_.Free(shortcut.commandLine);
    pool_.Free(shortcut.icon);
    pool_.Free(shortcut.workFolder);
    pool_.Free(shortcut.comment);
    shortcut.name = shortcut.commandLine = shortcut.icon = shortcut.workFolder = shortcut.comment = nullptr;
}

}  // namespace brindle
